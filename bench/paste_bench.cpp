// SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Bad input stays fast: a megabyte of digits pasted with Ctrl+V into a field of the main window,
// then a click on "Расчет", with the real modal boxes, each closed as soon as it has been
// painted. Three fields: the RX frequency, which the command reads first; the TX capacitance,
// which it reads last, after the RX turn search; and the RX wire diameter, whose check runs on
// the paste itself. A megabyte of digits lies beyond the double range, so each ends in the box
// that names the field.
//
// Measured as the user meets them: from the paste and from the click to the box painted
// (target 200 ms), and the longest the event loop was held by the paste, by the field's
// repaints while it keeps the focus (its cursor blinks) and, once the command's box has closed,
// by what the window then updates (target 100 ms each). The holds
// are the gaps between the ticks of a 1 ms timer. Each time is also given as the processor time
// the program took meanwhile, which on a machine shared with other work stands for what an idle
// one would take.
//
// Usage: paste_bench [RUNS]     RUNS defaults to 10; each run opens a new main window.
// Runs on the platform the program has (xcb under X11), or on the offscreen platform
// (QT_QPA_PLATFORM=offscreen), which paints into memory.

#include "calculator/commands.h"
#include "mainwindow/mainwindow.h"
#include "ui/design.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace {

using calculator::Field;

// A time of the run: on the clock, and of the processor.
struct Time {
    double wallMs = 0;
    double processorMs = 0;

    Time operator-(const Time &earlier) const
    {
        return {wallMs - earlier.wallMs, processorMs - earlier.processorMs};
    }
};

QElapsedTimer clock_;

Time now()
{
    return {static_cast<double>(clock_.nsecsElapsed()) / 1e6,
            static_cast<double>(std::clock()) * 1000 / CLOCKS_PER_SEC};
}

// The longest the event loop was held since the last restart: the largest gap between two
// ticks of a 1 ms timer, or between the restart and the first tick, on the clock and of the
// processor.
class LoopHolds : public QObject {
  public:
    LoopHolds()
    {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(1);
        connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
        timer_.start();
    }

    void restart()
    {
        last_ = now();
        longest_ = {};
    }

    Time longest()
    {
        tick();
        return longest_;
    }

  private:
    void tick()
    {
        const Time gap = now() - last_;
        longest_.wallMs = std::max(longest_.wallMs, gap.wallMs);
        longest_.processorMs = std::max(longest_.processorMs, gap.processorMs);
        last_ = now();
    }

    QTimer timer_;
    Time last_;
    Time longest_;
};

// Notes when each message box has been painted, and closes it then, as its OK would; the
// holds start afresh from there.
class BoxCloser : public QObject {
  public:
    struct Shown {
        QString title;
        Time painted;
    };

    explicit BoxCloser(LoopHolds &holds) : holds_(holds) { qApp->installEventFilter(this); }

    std::vector<Shown> shown;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || closing_)
            return false;
        auto *widget = qobject_cast<QWidget *>(watched);
        auto *box = widget ? qobject_cast<QMessageBox *>(widget->window()) : nullptr;
        if (!box)
            return false;
        // Once the whole box is painted: its controls paint in the same pass.
        closing_ = true;
        QTimer::singleShot(0, box, [this, box] {
            shown.push_back({box->windowTitle(), now()});
            box->done(QMessageBox::Ok);
            closing_ = false;
            holds_.restart();
        });
        return false;
    }

  private:
    LoopHolds &holds_;
    bool closing_ = false;
};

struct Scenario {
    const char *name;
    Field field;
    bool boxOnPaste; // the field's check reads it on every edit
};

constexpr Scenario kScenarios[] = {
    {"RX frequency (read first)", Field::RxFrequency, false},
    {"TX capacitance (read last)", Field::TxCapacitance, false},
    {"RX wire (checked on paste)", Field::RxWireDiameter, true},
};

struct Run {
    Time pasteHeld;
    std::optional<Time> pasteToBox;
    Time focusedHeld;
    Time clickToBox;
    Time afterBoxHeld;
};

// Runs the event loop a while, 150 ms unless told: paints, deferred deletions, and the ticks
// that end a hold. (QTest's own wait sleeps between its rounds of events, holding the loop.)
void settle(int ms = 150)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

Time longer(const Time &a, const Time &b)
{
    return {std::max(a.wallMs, b.wallMs), std::max(a.processorMs, b.processorMs)};
}

std::optional<Run> runOnce(const Scenario &scenario, LoopHolds &holds, const QString &digits)
{
    mainwindow::MainWindow window;
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return std::nullopt;
    settle();
    BoxCloser boxes(holds);
    QWindow *screen = window.windowHandle();

    Run run;
    QLineEdit *field = window.field(scenario.field);
    field->setFocus(Qt::MouseFocusReason);
    field->selectAll();
    QApplication::clipboard()->setText(digits);
    settle();
    holds.restart();
    Time start = now();
    QTest::keyClick(screen, Qt::Key_V, Qt::ControlModifier);
    settle();
    run.pasteHeld = holds.longest();
    if (field->text().size() != digits.size())
        return std::nullopt;
    if (scenario.boxOnPaste) {
        if (boxes.shown.size() != 1)
            return std::nullopt;
        run.pasteToBox = boxes.shown[0].painted - start;
        // Until the box shows, the paste holds the loop; the box runs a loop of its own.
        run.pasteHeld = longer(run.pasteHeld, *run.pasteToBox);
        // The window under the closed box is the active one again, as a window manager makes
        // it, and the field has its focus back.
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window) || QApplication::focusWidget() != field)
            return std::nullopt;
    } else if (!boxes.shown.empty()) {
        return std::nullopt;
    }

    // Left with the focus in the field, whose cursor blinks.
    holds.restart();
    settle(1200);
    run.focusedHeld = holds.longest();

    QPushButton *calculate = window.button("Command1");
    const QPoint centre = calculate->mapTo(&window, calculate->rect().center());
    const std::size_t before = boxes.shown.size();
    start = now();
    QTest::mouseClick(screen, Qt::LeftButton, {}, centre);
    settle();
    run.afterBoxHeld = holds.longest();
    if (boxes.shown.size() != before + 1 ||
        boxes.shown.back().title != ui::qs(calculator::text::kFaultTitle))
        return std::nullopt;
    run.clickToBox = boxes.shown.back().painted - start;
    return run;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

void report(const char *what, const std::vector<Time> &times, double targetMs)
{
    if (times.empty())
        return;
    std::vector<double> wall, processor;
    for (const Time &t : times) {
        wall.push_back(t.wallMs);
        processor.push_back(t.processorMs);
    }
    const double worst = *std::max_element(wall.begin(), wall.end());
    std::printf("  %-32s %6.1f ms, largest %6.1f ms; processor %6.1f ms, largest %6.1f ms"
                " (target %3.0f ms)%s\n",
                what, median(wall), worst, median(processor),
                *std::max_element(processor.begin(), processor.end()), targetMs,
                worst > targetMs ? "  MISSED" : "");
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ui::setUpApplication(app);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 10;
    if (runs < 1 || argc > 2) {
        std::fprintf(stderr, "usage: %s [RUNS]\n", argv[0]);
        return 2;
    }
    clock_.start();
    LoopHolds holds;
    QString digits;
    digits.reserve(1'000'000);
    while (digits.size() < 1'000'000)
        digits += QStringLiteral("1234567890");

    std::printf("A megabyte of digits pasted, then Calculate: medians of %d runs on the %s "
                "platform\n",
                runs, qPrintable(QGuiApplication::platformName()));
    for (const Scenario &scenario : kScenarios) {
        std::vector<Time> pasteHeld, pasteToBox, focusedHeld, clickToBox, afterBoxHeld;
        for (int i = 0; i < runs; ++i) {
            const std::optional<Run> run = runOnce(scenario, holds, digits);
            if (!run) {
                std::fprintf(stderr, "%s: the window did not show the boxes this names\n",
                             scenario.name);
                return 1;
            }
            pasteHeld.push_back(run->pasteHeld);
            if (run->pasteToBox)
                pasteToBox.push_back(*run->pasteToBox);
            focusedHeld.push_back(run->focusedHeld);
            clickToBox.push_back(run->clickToBox);
            afterBoxHeld.push_back(run->afterBoxHeld);
        }
        std::printf("%s\n", scenario.name);
        report("paste: loop held", pasteHeld, 100);
        report("paste: box painted", pasteToBox, 200);
        report("focus in the field: loop held", focusedHeld, 100);
        report("Calculate: box painted", clickToBox, 200);
        report("after the box: loop held", afterBoxHeld, 100);
    }
    return 0;
}
