# What of the GoogleTest suites and scenarios does not run in the Windows
# build, and why: the one list. opal_add_gtest (tests/CMakeLists.txt) leaves out
# a suite named with "*" and filters out the tests named; scenarios/ leaves out
# a scenario named as scenario.NAME with "*" (and, by itself, every scenario
# that takes a snapshot: the Windows build draws no pictures).
#
#   opal_windows_skip(SUITE TEST-PATTERN REASON)
function(opal_windows_skip suite pattern reason)
  if(pattern STREQUAL "*")
    set(OPAL_WINDOWS_SKIPPED_SUITE_${suite} "${reason}" PARENT_SCOPE)
  else()
    set(OPAL_WINDOWS_SKIPS_${suite} ${OPAL_WINDOWS_SKIPS_${suite}} ${pattern} PARENT_SCOPE)
  endif()
endfunction()

opal_windows_skip(render_tests "*" "pictures of the screen are drawn with cairo: native build only")
opal_windows_skip(resource_tests "*"
  "reads the native build's resource archive and checks the PNG decoder against libpng; the PE module's resources are compared with the native module's by wine.resources.same-as-native")
opal_windows_skip(opalhost_tests "*"
  "runs opalhost on a POSIX pseudo-terminal and with POSIX user folders")
opal_windows_skip(persistence_tests "WorkspaceFileTest.WhatIsNoRegularFile_*"
  "makes a FIFO and reads /dev/null: POSIX files")
opal_windows_skip(persistence_tests "WorkspaceStoreTest.WhatIsNoFile_*"
  "makes a FIFO: POSIX files (the folder case runs natively in the same test)")
opal_windows_skip(persistence_tests "WorkspaceFileTest.TheModeIsKept_*"
  "POSIX mode bits; Windows files have none")
opal_windows_skip(persistence_tests "WorkspaceStoreTest.AReadOnlyFile_*"
  "POSIX mode bits; Windows files have none")
opal_windows_skip(persistence_tests "WorkspaceFileTest.ThroughALink_*"
  "makes symbolic links, which Wine cannot make")
opal_windows_skip(persistence_tests "WorkspaceStoreTest.ThroughALink_*"
  "makes symbolic links, which Wine cannot make")
opal_windows_skip(scenario.opaque-under-pointer-restart "*"
  "after the restart the Windows build's palettes are real windows made anew; under Xvfb the real cursor, resting mid-screen, enters one made under it, which the script's pointer does not see: only the stand-in window system has the script's pointer alone")
opal_windows_skip(engine_tests "EngineTest.AttachCommand_Twice_AttachesAndAppliesOnce"
  "expects the window calls in the host's record: only the stand-in window system reports them, Windows' own go to user32 (the alphas are read back from the real windows elsewhere)")
opal_windows_skip(frame_tests "LifecycleTest.EveryFailingAcquisition_*"
  "expects the window calls in the host's record: only the stand-in window system reports them")
opal_windows_skip(frame_tests "Loading.MissingOrDamagedModule_IsRefusedNamingTheFile"
  "damages the ELF module's resource archive; the PE module's are Windows resources")
