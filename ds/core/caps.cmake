# Capability negotiation of the data source: containers, the capability
# table and the DAT_CAPABILITY handler, with their tests and fuzz target.
target_sources(ds_portable PRIVATE
  core/capability.cpp
  core/capcall.cpp
  core/capfacts.cpp
  core/caps_device.cpp
  core/caps_feeder.cpp
  core/caps_geometry.cpp
  core/caps_tone.cpp
  core/caps_xfer.cpp
  core/captable.cpp
  core/container.cpp)

wq_native_test(ds_caps_test
  SOURCES core/tests/cap_bytes.cpp core/tests/cap_checks.cpp core/tests/cap_harness.cpp core/tests/captable_test.cpp core/tests/container_test.cpp
          core/tests/capset_test.cpp
  LIBS ds_test_support)

wq_fuzz(ds_caps_fuzz SOURCES core/fuzz/caps_fuzz.cpp LIBS ds_portable RUNS 20000)

# Through a TWAIN manager, against the installed source and the virtual
# bus, in the data source tests' own prefix: a test application checks every
# configuration.
wq_wine_test(ds_caps_wine_test
  SOURCES core/tests/win/caps_wine_test.cpp core/tests/cap_bytes.cpp core/tests/cap_checks.cpp
  LIBS ds_wine_support twclient DEPENDS wineprefix TIMEOUT 600)
if(WQ_WINE)
  set_tests_properties(ds_caps_wine_test PROPERTIES FIXTURES_REQUIRED ds_prefix
    RESOURCE_LOCK ds_prefix)
  wq_wine_env(ds_caps_wine_test PREFIX ds)
endif()
