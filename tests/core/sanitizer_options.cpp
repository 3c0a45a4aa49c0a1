// Some tests make an allocation fail for real. Under AddressSanitizer that
// must give null, as the ordinary allocator does, instead of ending the run.
#if defined(__SANITIZE_ADDRESS__)
#define TAVELIN_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAVELIN_ASAN 1
#endif
#endif

#ifdef TAVELIN_ASAN
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }
#endif
