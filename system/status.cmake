# The status report for systems management and the restart of Windows (Win32).
if(SHIFTWELL_WIN32)
    add_library(status_report STATIC StatusReport.cpp)
    target_include_directories(status_report PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(status_report PUBLIC
        setup_paths framework advapi32 user32)
endif()
