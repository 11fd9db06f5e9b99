// The process and its threads: ending the process, behind a seam so tests
// can watch the exit code instead of dying; its freed memory and the pages
// of constant data it is done with; which thread is running; a thread
// waiting for the end of the process.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace horavia::platform {

// Ends the process with the code. Never returns: when a test hook is set and
// returns (it should throw), the process ends anyway.
[[noreturn]] void ExitProcess(int code);

// Installs a hook called instead of ending the process (tests); an empty
// function restores the real exit.
void SetExitHook(std::function<void(int)> hook);

// Gives the pages of freed heap memory back to the system. The allocator
// keeps what a program frees for its next allocations; after start-up, which
// frees much of what it used, most of that would never be used again.
void ReturnFreedMemory();

// Lets the system take back the pages of the program's constant data that
// lie wholly within `size` bytes from `data`, read once and not needed soon:
// they stay in the program file and read back in if touched again.
void ReleaseConstantPages(const void* data, std::size_t size);

// The executable's own path (host, UTF-8).
std::string ExecutablePath();

// An id of the calling thread, equal for equal threads.
unsigned long CurrentThreadId();

// Blocks the calling thread for good, sleeping, while another thread ends the
// process.
[[noreturn]] void WaitForProcessEnd();

}  // namespace horavia::platform
