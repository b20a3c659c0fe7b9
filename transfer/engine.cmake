# Win32 parts of transfer/: the install plan read from the setup profile, and the copy
# engine that works through it (records, members, version decisions, replacement at restart,
# the diskette rules).
if(SHIFTWELL_WIN32)
    add_library(install_plan STATIC InstallPlan.cpp SetupMultiFile.cpp)
    target_link_libraries(install_plan PUBLIC profile archive_core setup_paths)

    add_library(copy_engine STATIC
        CopyEngine.cpp InstallFile.cpp FileVersion.cpp ReplaceAtRestart.cpp SourceFolder.cpp)
    target_link_libraries(copy_engine PUBLIC
        install_plan system_registry system_version_info profile)
endif()

# The copy engine's windows: the gauge and the Insert Diskette prompt.
if(SHIFTWELL_WIN32)
    add_library(copy_ui STATIC GaugeCtrl.cpp InsertDisketteDialog.cpp)
    target_link_libraries(copy_ui PUBLIC copy_engine app_dialogs framework)
endif()

# The copy page (108): the wizard's page that runs the copy engine, then creates the program
# items. The diskette prompt's Browse is the pages' folder dialog; errors ask the user.
if(SHIFTWELL_WIN32)
    add_library(copy_page STATIC CopyPage.cpp)
    target_link_libraries(copy_page PUBLIC
        setup_app copy_ui install_profile pages system_shell errors_ui)
endif()
