// The C++ library's failure paths, for the program files only (test binaries
// keep the library's own). The program catches no exception, so every one
// would end in std::terminate. Left to the library, these few functions bring
// along its exception classes with their own strings, and the terminate
// message with a symbol demangler: some 140 KiB of the program file, only to
// abort. Here a refused allocation ends the program through the fatal-error
// report, as a refused program-heap request does, and a length beyond what a
// string or vector can hold (a program fault) aborts at once.
#include <cstdlib>

#include "ui/runtime_win.h"

// NOLINTBEGIN(bugprone-reserved-identifier): the library's own names.
namespace std {

void __throw_bad_alloc() { ReportFatalError("内存不足。"); }
void __throw_bad_array_new_length() { ReportFatalError("内存不足。"); }
void __throw_length_error(const char* /*what*/) { std::abort(); }
void __throw_logic_error(const char* /*what*/) { std::abort(); }
void __throw_out_of_range_fmt(const char* /*format*/, ...) { std::abort(); }

}  // namespace std

namespace __gnu_cxx {

// std::terminate's handler: an exception nobody catches, in practice a
// failed operator new.
void __verbose_terminate_handler() { ReportFatalError("程序内部错误或内存不足。"); }

}  // namespace __gnu_cxx
// NOLINTEND(bugprone-reserved-identifier)
