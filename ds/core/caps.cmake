# Capability negotiation of the data source: containers, the capability
# table and the DAT_CAPABILITY handler, with their tests and fuzz target.
target_sources(ds_portable PRIVATE
  core/capmemory.cpp
  core/container.cpp)

wq_native_test(ds_caps_test
  SOURCES core/tests/cap_harness.cpp core/tests/container_test.cpp
  LIBS ds_test_support)
