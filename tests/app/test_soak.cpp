// A long lesson: a million ticks of both lanes with object changes, towards mode,
// language switches and failing starts mixed in. The heap in use must not grow once
// everything has been through a few rounds, and the only errors are the failing
// starts' own.
#include <QCoreApplication>
#include <malloc.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "LessonFixture.h"
#include "lesson/VehicleCatalogue.h"

#if defined(__SANITIZE_ADDRESS__)
#define VELMORA_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMORA_ASAN 1
#endif
#endif
#ifdef VELMORA_ASAN
// From the sanitizer runtime; GCC does not install its header.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// Bytes handed out by malloc and not yet freed.
std::size_t HeapInUse()
{
#ifdef VELMORA_ASAN
    return __sanitizer_get_current_allocated_bytes();
#else
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
#endif
}

constexpr int64_t TotalTicks = 1'000'000;
constexpr int64_t WarmUpTicks = 100'000;
// Every this many ticks something else happens: towards mode toggled, the language
// switched, a failing start, a good start.
constexpr int64_t TicksPerEvent = 100;
// Every tenth event is an object change instead, which loads a picture, followed by
// the repaint that decodes it.
constexpr int64_t EventsPerObjectChange = 10;
// Two language switches and two failing starts come in every round of ten events.
constexpr int64_t Rounds = TotalTicks / TicksPerEvent / EventsPerObjectChange;
// Above the swings of the allocator and of Qt's own buffers (a text document keeps
// replaced text until enough has piled up to compact it), and below what 60 bytes kept
// per event (9,000 events after the warm-up) or one byte per tick would add up to.
constexpr std::size_t HeapTolerance = 512 * 1024;

// A start that must fail, with the message it must give.
struct FailingStart {
    const char* t;
    const char* v;
    const char* s;
    const char* message;
};

constexpr std::array<FailingStart, 3> FailingStarts = {{
    {"abc", "60", "", "'abc' is not a valid integer value"},
    {"1", "fast", "60", "'fast' is not a valid floating point value"},
    {"0", "", "10", "Floating point division by zero"},
}};

class Soak : public LessonTest {
protected:
    void SetUp() override
    {
        LessonTest::SetUp();
        // Counted here rather than kept: a growing list would be growth of our own.
        Application()->SetErrorHook([this](QObject*, const Exception& e) {
            if (e.Message() == expected_)
                ++expectedErrors_;
            else if (unexpectedErrors_++ == 0)
                firstUnexpected_ = e.Message();
        });
        form->show();
        QCoreApplication::processEvents();
    }

    void StartBothLanes()
    {
        Type(form->UpperLane.Time, "3");
        Type(form->UpperLane.Speed, "60");
        Type(form->UpperLane.Distance, "");
        Type(form->LowerLane.Time, "3");
        Type(form->LowerLane.Speed, "40");
        Type(form->LowerLane.Distance, "");
        PressStart(); // the ticks are driven by the loop below, not by the clock
    }

    void ChooseObject(TComboBox* list, const std::string& name)
    {
        list->SetTextFromStart(name);
        Application()->Guard(list, [&] {
            form->ObjectChosen(list == form->UpperLane.ObjectList ? form->UpperLane : form->LowerLane);
        });
    }

    // The user's click on whichever language box is enabled.
    void SwitchLanguage()
    {
        TxpCheckBox* box = form->SwitchToEnglish->isEnabled() ? form->SwitchToEnglish : form->SwitchToRussian;
        Application()->Guard(box, [box] { box->Toggle(); });
    }

    void ChangeObject(int64_t number)
    {
        const auto& vehicles = Lesson::VehicleCatalogue::Vehicles;
        const Lesson::Vehicle& vehicle = vehicles[static_cast<std::size_t>(number / 2) % vehicles.size()];
        const std::string name(number / 24 % 2 == 1 ? vehicle.English : vehicle.Russian);
        ChooseObject(number % 2 == 0 ? form->UpperLane.ObjectList : form->LowerLane.ObjectList, name);
    }

    void FailStart(int64_t number)
    {
        const FailingStart& failing = FailingStarts[static_cast<std::size_t>(number) % FailingStarts.size()];
        Type(form->UpperLane.Time, failing.t);
        Type(form->UpperLane.Speed, failing.v);
        Type(form->UpperLane.Distance, failing.s);
        Type(form->LowerLane.Time, "");
        expected_ = failing.message;
        ++failingStarts_;
        PressStart();
        expected_.clear();
    }

    void Event(int64_t number)
    {
        const int64_t inRound = number % EventsPerObjectChange;
        if (inRound == 0) {
            ChangeObject(number / EventsPerObjectChange);
            // Paints what changed, decoding the freshly loaded picture on the way.
            QCoreApplication::processEvents();
            return;
        }
        switch ((inRound - 1) % 4) {
        case 0:
            form->LowerLane.TowardsBox->setChecked(!form->LowerLane.TowardsBox->isChecked());
            break;
        case 1:
            SwitchLanguage();
            break;
        case 2:
            FailStart(number);
            break;
        default:
            StartBothLanes();
            break;
        }
    }

    void Run(int64_t firstTick, int64_t lastTick)
    {
        for (int64_t tick = firstTick; tick < lastTick; ++tick) {
            form->LaneTick(form->UpperLane);
            form->LaneTick(form->LowerLane);
            if ((tick + 1) % TicksPerEvent == 0)
                Event((tick + 1) / TicksPerEvent);
        }
    }

    std::string expected_;
    int64_t failingStarts_ = 0;
    int64_t expectedErrors_ = 0;
    int64_t unexpectedErrors_ = 0;
    std::string firstUnexpected_;
};

} // namespace

TEST_F(Soak, AMillionTicksLeaveNoMemoryBehindAndNoUnexpectedError)
{
    ChooseObject(form->UpperLane.ObjectList, "Самолет");
    ChooseObject(form->LowerLane.ObjectList, "Грузовик");
    StartBothLanes();

    Run(0, WarmUpTicks);
    const std::size_t before = HeapInUse();
    Run(WarmUpTicks, TotalTicks);
    const std::size_t after = HeapInUse();

    const std::size_t growth = after > before ? after - before : 0;
    EXPECT_LE(growth, HeapTolerance) << "heap in use went from " << before << " to " << after << " bytes";
    EXPECT_EQ(unexpectedErrors_, 0) << "first unexpected error: " << firstUnexpected_;
    EXPECT_EQ(expectedErrors_, failingStarts_) << "every failing start reports exactly once";
    EXPECT_EQ(failingStarts_, 2 * Rounds);

    // The lesson still works after all that: a start sets both lanes going again.
    StartBothLanes();
    EXPECT_EQ(form->State().Upper().Step, 6);
    EXPECT_EQ(form->State().Lower().Step, 4);
    EXPECT_EQ(form->State().Upper().Limit, 555);
    EXPECT_EQ(form->State().Lower().Limit, 370);
}
