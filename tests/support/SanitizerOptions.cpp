// The sanitizer build's options for the test programs that load Qt's plugins.
// The sanitizer runtime of clang 14 takes some of glibc's dynamic TLS blocks
// for blocks of glibc 2.19, depending on where malloc put them, and its leak
// check then crashes at exit ("Tracer caught signal 11"); without the
// interception of __tls_get_addr the leak check runs reliably.

extern "C" const char* __asan_default_options() { return "intercept_tls_get_addr=0"; }
