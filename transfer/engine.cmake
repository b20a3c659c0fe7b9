# Win32 parts of transfer/: the install plan read from the setup profile (and, later, the
# copy engine that works through it).
if(SHIFTWELL_WIN32)
    add_library(install_plan STATIC InstallPlan.cpp)
    target_link_libraries(install_plan PUBLIC profile setup_paths)
endif()
