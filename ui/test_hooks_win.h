#pragma once
// Fault injection for the test build of the program (KestruneTest.exe) only,
// so that the fatal paths can be tested end to end. The shipped program has
// none of this and reads no environment variable.

#ifdef KESTRUNE_TEST_BUILD

// Whether the environment variable KESTRUNE_FAULT names `fault`:
//   form           the form cannot be read
//   window         the main window cannot be created
//   record-memory  the memory request for the drive record is refused
bool TestFaultRequested(const char* fault);

// The next request to the program heap is refused.
void RefuseNextProgramMemoryRequest();

#endif
