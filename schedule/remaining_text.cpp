#include "schedule/remaining_text.h"

#include <cstdio>

namespace quellix {

std::string FormatRemaining(int seconds)
{
    // Fits "-2147483648 sec." and "596523 hour(s)  and 14 min." alike.
    char hours[48] = "", minutes[32] = "", secs[32] = "";
    if (seconds < 60) {
        std::snprintf(secs, sizeof secs, "%d sec.", seconds);
    } else {
        int m = seconds / 60;
        const int s = seconds - 60 * m;
        if (m < 60) {
            std::snprintf(minutes, sizeof minutes, "%d min. and ", m);
            std::snprintf(secs, sizeof secs, "%d sec.", s);
        } else {
            const int h = m / 60;
            m -= 60 * h;
            // Whole hours keep the trailing blank; with minutes it doubles
            // before "and". Seconds are not shown once hours are.
            if (m > 0) {
                std::snprintf(hours, sizeof hours, "%d hour(s)  and ", h);
                std::snprintf(minutes, sizeof minutes, "%d min.", m);
            } else {
                std::snprintf(hours, sizeof hours, "%d hour(s) ", h);
            }
        }
    }
    return std::string(hours) + minutes + secs;
}

namespace {
std::string WaitedFor(const WaitTarget& target)
{
    return target.imageName.empty() ? "process " + std::to_string(target.processId) : target.imageName;
}
}  // namespace

std::string WaitingText(const WaitTarget& target) { return "Waiting for " + WaitedFor(target) + " to end"; }

std::string WaitEndText(const WaitTarget& target) { return WaitedFor(target) + " ends"; }

std::string NothingToWaitForText(const WaitTarget& target)
{
    std::string what = WaitedFor(target);
    if (target.imageName.empty())
        what[0] = 'P';
    return what + " is not running: there is nothing to wait for.";
}

}  // namespace quellix
