// A race of our own for tools/tsan-renderer.sh: two threads add to one
// counter without a lock. The script fails unless ThreadSanitizer reports
// it, so that a run with zero reports means the detector was looking.
#include <cstdio>
#include <thread>

namespace {
int counter = 0;

void addMany()
{
    for (int i = 0; i < 100000; ++i)
        counter = counter + 1;
}
} // namespace

int main()
{
    std::thread first(addMany);
    std::thread second(addMany);
    first.join();
    second.join();
    std::printf("%d\n", counter);
    return 0;
}
