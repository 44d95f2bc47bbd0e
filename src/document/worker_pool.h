// The worker threads the kernels share their rows over, one pool for the whole process, sized to
// the machine unless told otherwise. A kernel splits its result into bands of whole rows (or
// tiles) that no two threads write, so its bytes are the same for any number of threads.
#pragma once

#include <functional>

namespace tavlo {

// Rows a band of a whole-image pass holds at least: shorter bands cost more to hand out than the
// work they carry.
inline constexpr int kRowsPerBand = 16;

// Threads that take part in a pass, the calling thread included; every core by default.
int workerCount();
// Sets the number of threads for later passes (1 = everything on the calling thread); values
// below 1 mean every core. A pass already running keeps its threads.
void setWorkerCount(int count);

// Calls body(begin, end) on disjoint bands that together cover [0, count), each at least `grain`
// long except the last, spread over the workers; returns when all are done. The first exception
// a band throws is rethrown here once every band has finished or been skipped.
// A call made from inside a band, or while another thread's pass holds the pool, runs on the
// calling thread alone: nesting never waits on itself.
void forEachBand(int count, int grain, const std::function<void(int begin, int end)>& body);

// As forEachBand, one index at a time, handed out in order: for few, long jobs such as files.
void forEachIndex(int count, const std::function<void(int index)>& body);

} // namespace tavlo
