// "at" counts to the next time the local clock shows the picked time of day,
// whatever date the picker holds.
#include "tests/e2e/QuellixTest.h"
#include "tests/e2e/ScheduleSteps.h"

#include <cstdio>

namespace e2e {
namespace {

using namespace quellix;

constexpr int64_t kMinuteMs = 60'000;
constexpr int64_t kDayMs = 24 * 60 * kMinuteMs;

int64_t ToMs(const SYSTEMTIME& time)
{
    FILETIME ft = {};
    SystemTimeToFileTime(&time, &ft);
    return MsFromFileTime(ft);
}

SYSTEMTIME FromMs(int64_t ms)
{
    const FILETIME ft = FileTimeFromMs(ms);
    SYSTEMTIME time = {};
    FileTimeToSystemTime(&ft, &time);
    return time;
}

// Seconds of a remaining-time text under an hour, "Left M min. and S sec.".
int ShownMinutesAndSeconds(const std::string& text)
{
    int minutes = -1, seconds = -1;
    if (sscanf(text.c_str(), "Left %d min. and %d sec.", &minutes, &seconds) != 2)
        return -1;
    return minutes * 60 + seconds;
}

// Run once in the suite's zone (UTC) and once more, by its own ctest entry,
// with TZ=America/New_York: Wine gives this test program and the program it
// starts the zone of the TZ variable of the suite's own start.
using AtTimeOfDay = QuellixTest;

TEST_F(AtTimeOfDay, CountsToTheNextLocalOccurrenceWhateverThePickersDate)
{
    TIME_ZONE_INFORMATION zone = {};
    GetTimeZoneInformation(&zone);
    char tz[64] = "";
    GetEnvironmentVariableA("TZ", tz, sizeof tz);
    SCOPED_TRACE(std::string("TZ=") + tz + ", bias " + std::to_string(zone.Bias) + " min.");

    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    dialog.Click(id::Now);
    dialog.Click(id::At);

    // The picker shows the local time five minutes ahead, as the system itself converts it.
    const int64_t utcNow = WallClockMs();
    const int64_t localNow = ToMs(LocalTimeAt(utcNow));
    const int64_t shown = ToMs(dialog.PickerTime(id::TimeAt));
    EXPECT_NEAR(static_cast<double>(shown - localNow), 5 * kMinuteMs, 3000) << "the picker is not in local time";
    if (tz[0]) {
        EXPECT_NE(localNow, utcNow) << "the zone of TZ did not take effect";
    }

    struct Case {
        const char* what;
        int64_t pickedMs;  // a local reading
        int expectedSeconds;
    };
    const Case cases[] = {
        // The picker's hidden date lies tomorrow, as it does near midnight: tonight counts, not tomorrow night.
        {"tomorrow's date", localNow + kDayMs + 2 * kMinuteMs, 120},
        // A date days ago, as after a long idle.
        {"a stale date", localNow - 3 * kDayMs + 3 * kMinuteMs, 180},
    };
    for (const Case& c : cases) {
        dialog.SetPickerTime(id::TimeAt, FromMs(c.pickedMs));
        dialog.Click(id::Ok);
        ASSERT_FALSE(dialog.IsEnabled(id::Ok)) << c.what << ": OK did not start a countdown";
        const std::string text = dialog.ItemText(id::Remaining);
        const int left = ShownMinutesAndSeconds(text);
        EXPECT_TRUE(left <= c.expectedSeconds && left >= c.expectedSeconds - 5) << c.what << ": " << text;
        dialog.Click(id::Cancel);
        ASSERT_TRUE(dialog.IsEnabled(id::Ok)) << "Cancel did not stop the countdown";
    }
}

}  // namespace
}  // namespace e2e
