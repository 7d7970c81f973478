// What the driver reads from the Linux side, through Wine's drive Z: (the root of the file
// system): the CPU time and private memory of processes, and which Linux process a Windows
// program of this Wine prefix runs in.
#pragma once

#include <string>
#include <string_view>

namespace bench {

// The whole of a Linux file, empty when it cannot be read.
std::string ReadUnixFile(std::string_view path);

// User plus system CPU time of a Linux process and all its threads, in seconds; negative when
// the process is gone.
double CpuSeconds(int pid);

// How long the process's threads, all together, have waited for a CPU while ready to run, in
// milliseconds (/proc/PID/task/*/schedstat); negative when unknown. A start-up that took long
// because the machine was busy shows it here.
double RunQueueMs(int pid);

// The CPU time all the machine's cores have spent idle (idle and iowait in /proc/stat), in
// seconds; negative when unknown.
double IdleCpuSeconds();

// The process's private memory as Linux counts it (private clean and dirty pages), in KiB;
// negative when unknown.
long long PrivateKib(int pid);

// The newest Linux process of this Wine prefix whose command line names `exeName` (a file
// name such as "glazier.exe", compared without case); 0 when there is none.
int UnixPidOf(std::string_view exeName);

}  // namespace bench
