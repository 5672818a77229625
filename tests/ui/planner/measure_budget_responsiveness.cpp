// Measures whether the planner's window stays responsive while Reducir chooses the best columns
// for a budget. The forecast plays matches 1 to 10 as triples and 11 to 14 as fixed signs (59.049
// columns), every match with chances of its own; the budget is 1.000 columns, chosen once by the
// guarantee's chance and once by expected winnings with the public's percentages, the optimiser
// given 10 s. While the run works, a timer of 10 ms on the window's thread notes the gaps between
// its ticks, and every 500 ms a key press posted to the result tabs' bar switches the tab and
// notes how long it waited. Prints one line per case, and the prize tab's summary after it. Not a
// test: it passes or fails nothing, e.g.
//   QT_QPA_PLATFORM=offscreen build/tests/ui/planner/kelvo_planner_budget_responsiveness
#include <QApplication>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <utility>
#include <vector>

#include "planner_test_support.h"

namespace {

constexpr int kTriples = 10;
constexpr int kBudgetColumns = 1000;
constexpr int kOptimiserSeconds = 10;
constexpr int kTickMs = 10;
constexpr int kProbeMs = 500;
constexpr qint64 kLongGapMs = 50;
// The window is watched for a while after the run ends too: the columns, the prizes and the
// value are shown then, on the window's thread.
constexpr qint64 kAfterRunMs = 2000;

// The player's chances and the public's percentages of 1, X and 2, match by match.
constexpr std::array<std::array<double, 3>, 14> kChances = {{{55, 30, 15},
                                                             {40, 30, 30},
                                                             {70, 20, 10},
                                                             {20, 35, 45},
                                                             {65, 25, 10},
                                                             {45, 35, 20},
                                                             {45, 20, 35},
                                                             {35, 35, 30},
                                                             {25, 30, 45},
                                                             {60, 25, 15},
                                                             {80, 15, 5},
                                                             {15, 25, 60},
                                                             {30, 50, 20},
                                                             {75, 20, 5}}};
constexpr std::array<std::array<double, 3>, 14> kPublic = {{{70, 20, 10},
                                                            {50, 30, 20},
                                                            {80, 15, 5},
                                                            {30, 30, 40},
                                                            {60, 30, 10},
                                                            {55, 30, 15},
                                                            {40, 25, 35},
                                                            {45, 30, 25},
                                                            {30, 30, 40},
                                                            {65, 25, 10},
                                                            {85, 10, 5},
                                                            {10, 20, 70},
                                                            {40, 40, 20},
                                                            {70, 25, 5}}};
// The sign of each fixed match, 11 to 14.
constexpr std::array<const char*, 4> kFixed = {"1", "2", "X", "1"};

struct TCase {
    const char* Name;
    kelvo::TBudgetGoal Goal;
};

// A gap between two ticks, and what the run panel said before and after it.
struct TGap {
    qint64 Ms = 0;
    // How much of it the window's thread spent working, not waiting for a core: a long gap of
    // little work is the machine's, not the window's.
    qint64 BusyMs = 0;
    qint64 EndsAtMs = 0;
    QString Before;
    QString After;
};

struct TMeasure {
    qint64 WallMs = 0;
    std::vector<TGap> Gaps;
    std::vector<qint64> ProbeWaits;
    // When the run panel's phase changed, and to what; and when its time left was first shown and
    // first came to 0 s, for a search that outlasts its time.
    std::vector<std::pair<qint64, QString>> Phases;
};

qint64 ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<qint64>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

QString PlainText(const QLabel* label) {
    QTextDocument document;
    document.setHtml(label->text());
    return document.toPlainText().simplified();
}

void SetPercents(const TPlanner& planner, const char* prefix,
                 const std::array<std::array<double, 3>, 14>& percents) {
    for (int match = 0; match < kelvo::kColumnLength; ++match) {
        for (int sign = 0; sign < 3; ++sign) {
            planner
                .Control<QDoubleSpinBox>(QStringLiteral("%1%2_%3")
                                             .arg(QLatin1String(prefix))
                                             .arg(match + 1)
                                             .arg(QStringLiteral("1X2")[sign]))
                ->setValue(
                    percents[static_cast<std::size_t>(match)][static_cast<std::size_t>(sign)]);
        }
    }
}

// Sets the case's plan up, triggers Reducir and watches the window until a while after the run.
TMeasure Watch(TPlanner& planner) {
    auto* phase = planner.Control<QLabel>("Phase");
    auto* timeLeft = planner.Control<QLabel>("TimeLeft");
    QString lastTimeLeft;
    auto* tabs = planner.Control<QTabWidget>("ResultTabs");
    QTabBar* bar = tabs->tabBar();
    TMeasure measure;
    QElapsedTimer clock;
    qint64 lastTick = 0;
    qint64 lastCpu = ThreadCpuMs();
    QString lastPhase;
    qint64 probePostedAt = -1;
    int step = 1;
    QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [&] {
        if (probePostedAt >= 0) {
            measure.ProbeWaits.push_back(clock.elapsed() - probePostedAt);
            probePostedAt = -1;
        }
    });
    QEventLoop loop;
    qint64 endedAt = -1;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(kTickMs);
    QObject::connect(&ticker, &QTimer::timeout, &loop, [&] {
        const qint64 now = clock.elapsed();
        const QString said = phase->text();
        const qint64 cpu = ThreadCpuMs();
        measure.Gaps.push_back({now - lastTick, cpu - lastCpu, now, lastPhase, said});
        lastCpu = cpu;
        if (said != lastPhase) {
            measure.Phases.emplace_back(now, said);
        }
        const QString left = timeLeft->text();
        if (left != lastTimeLeft && !left.isEmpty() &&
            (lastTimeLeft.isEmpty() || left.endsWith(QStringLiteral(" 0 s")))) {
            measure.Phases.emplace_back(now, left);
        }
        lastTimeLeft = left;
        lastTick = now;
        lastPhase = said;
        if (endedAt < 0 && !planner.Window->Working()) {
            endedAt = now;
            measure.WallMs = now;
        }
        if (endedAt >= 0 && now - endedAt >= kAfterRunMs) {
            loop.quit();
        }
    });
    QTimer prober;
    prober.setInterval(kProbeMs);
    QObject::connect(&prober, &QTimer::timeout, &loop, [&] {
        if (probePostedAt >= 0) {
            return;
        }
        if (bar->currentIndex() + step < 0 || bar->currentIndex() + step >= bar->count()) {
            step = -step;
        }
        probePostedAt = clock.elapsed();
        QCoreApplication::postEvent(
            bar, new QKeyEvent(QEvent::KeyPress, step > 0 ? Qt::Key_Right : Qt::Key_Left,
                               Qt::NoModifier));
    });
    clock.start();
    lastPhase = phase->text();
    planner.Trigger("ReduceAction");
    ticker.start();
    prober.start();
    loop.exec();
    return measure;
}

void Report(const TCase& run, const TPlanner& planner, const TMeasure& measure) {
    std::vector<qint64> gaps;
    for (const TGap& gap : measure.Gaps) {
        gaps.push_back(gap.Ms);
    }
    std::sort(gaps.begin(), gaps.end());
    const auto longest = std::max_element(measure.Gaps.begin(), measure.Gaps.end(),
                                          [](const TGap& a, const TGap& b) { return a.Ms < b.Ms; });
    const qint64 p99 = gaps[std::min(gaps.size() - 1, gaps.size() * 99 / 100)];
    const auto over =
        std::count_if(gaps.begin(), gaps.end(), [](qint64 g) { return g > kLongGapMs; });
    const qint64 probeMost =
        measure.ProbeWaits.empty()
            ? -1
            : *std::max_element(measure.ProbeWaits.begin(), measure.ProbeWaits.end());
    std::printf(
        "%s: development %s, run %.2f s, ticks %zu, largest gap %lld ms (busy %lld ms, ending at "
        "%.2f s, "
        "\"%s\" -> \"%s\"), p99 gap %lld ms, gaps over %lld ms %lld, tab switches %zu, longest "
        "wait %lld ms\n",
        run.Name, qPrintable(planner.Control<QLabel>("ColumnCount")->text()),
        static_cast<double>(measure.WallMs) / 1000, gaps.size(),
        static_cast<long long>(longest->Ms), static_cast<long long>(longest->BusyMs),
        static_cast<double>(longest->EndsAtMs) / 1000, qPrintable(longest->Before),
        qPrintable(longest->After), static_cast<long long>(p99), static_cast<long long>(kLongGapMs),
        static_cast<long long>(over), measure.ProbeWaits.size(), static_cast<long long>(probeMost));
    std::printf("  phases:");
    for (const auto& [at, said] : measure.Phases) {
        std::printf(" %.2f s \"%s\";", static_cast<double>(at) / 1000, qPrintable(said));
    }
    std::printf("\n  gaps over %lld ms:", static_cast<long long>(kLongGapMs));
    for (const TGap& gap : measure.Gaps) {
        if (gap.Ms > kLongGapMs) {
            std::printf(" %lld ms (busy %lld ms) ending at %.2f s;", static_cast<long long>(gap.Ms),
                        static_cast<long long>(gap.BusyMs),
                        static_cast<double>(gap.EndsAtMs) / 1000);
        }
    }
    std::printf("\n  prizes: %s | %s\n",
                qPrintable(PlainText(planner.Control<QLabel>("ReductionSummary"))),
                qPrintable(PlainText(planner.Control<QLabel>("BudgetChoice"))));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char* argv[]) {
    const TTemporaryHome home;
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    for (const TCase run : {TCase{"chance", kelvo::TBudgetGoal::Chance},
                            TCase{"winnings", kelvo::TBudgetGoal::Winnings}}) {
        TPlanner planner;
        planner.Window->resize(1000, 700);
        for (int match = 1; match <= kelvo::kColumnLength; ++match) {
            planner.Play(match, match <= kTriples
                                    ? QStringLiteral("1X2")
                                    : QString::fromLatin1(
                                          kFixed[static_cast<std::size_t>(match - kTriples - 1)]));
        }
        planner.SetBudget({kBudgetColumns, kelvo::TBudgetUnit::Columns, run.Goal});
        SetPercents(planner, "Chance", kChances);
        SetPercents(planner, "Public", kPublic);
        planner.Control<QSpinBox>("Budget")->setValue(kOptimiserSeconds);
        planner.AwaitCount();
        Report(run, planner, Watch(planner));
    }
    return 0;
}
