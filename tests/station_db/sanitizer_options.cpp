// The SQLite ODBC driver keeps a few of its connection settings past the disconnect; that is
// its leak, not ours, and must not fail the run. Full stacks are needed to see that the driver
// made the allocation: its frames carry no frame pointers.
#ifdef __SANITIZE_ADDRESS__
extern "C" const char* __lsan_default_options() { return "fast_unwind_on_malloc=0"; }
extern "C" const char* __lsan_default_suppressions() { return "leak:libsqlite3odbc.so\n"; }
#endif
