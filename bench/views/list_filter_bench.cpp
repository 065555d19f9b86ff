// Typing into the filter of a list of 32,767 bots (the most a roster holds),
// one keystroke a run: the field's text changes, the list shows the entries
// that hold it, and the window is laid out and drawn again, as on screen.
// Thirty bots are chosen, spread over the list (the game takes at most 30
// at a time), so chosen rows come and go as well. A keystroke has to stay
// well under one frame (16 ms). The platform is
// offscreen unless QT_QPA_PLATFORM names another.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>
#include <QWidget>

#include "core/controls.h"
#include "views/binding.h"

namespace {

using namespace vexmoor;

class NoDialogs : public Dialogs {
public:
    Answer show(const Message&) override { return Answer::Ok; }
};

QApplication& application() {
    static int argc = 1;
    static char name[] = "list_filter_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

void TypingIntoTheFilter(benchmark::State& state) {
    application();
    ListBox bots("SpecificBotList", ListBox::Mode::Multiple);
    FilterText filter("SpecificBotFilter");
    std::vector<std::string> names;
    const auto count = static_cast<int>(state.range(0));
    for (int i = 1; i <= count; ++i) names.push_back((i % 3 == 0 ? "Ash Bot " : "Bot ") + std::to_string(i));
    bots.setItems(std::move(names));
    for (std::size_t i = 0; i < 30; ++i) bots.setSelected(i * bots.count() / 30, true);

    NoDialogs dialogs;
    auto window = std::make_unique<QWidget>();
    auto* field = new QLineEdit(window.get());
    auto* list = new QListView(window.get());
    auto* layout = new QVBoxLayout(window.get());
    layout->addWidget(field);
    layout->addWidget(list);
    Bindings bindings;
    bindFilter(bindings, field, filter, dialogs, QStringLiteral("Filter bots"));
    bind(bindings, list, bots, TextKind::Game, &filter);
    window->resize(320, 480);
    window->show();
    QApplication::processEvents();

    // "bot 12" a key at a time, then taken back: from every bot shown to a
    // few dozen and back again.
    const QString typed = QStringLiteral("bot 12");
    int step = 0;
    double slowest = 0;
    double slowestCpu = 0;
    for (auto _ : state) {
        const int at = step % (2 * static_cast<int>(typed.size()));
        // The processor's time as well as the clock's: on a busy machine the
        // clock also counts the time other programs had the processor.
        const std::clock_t cpu = std::clock();
        QElapsedTimer clock;
        clock.start();
        if (at < typed.size())
            field->insert(typed.mid(at, 1));
        else
            field->backspace();
        QApplication::processEvents();
        list->viewport()->repaint();
        const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        state.SetIterationTime(seconds);
        slowest = std::max(slowest, seconds);
        slowestCpu = std::max(slowestCpu, static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC);
        ++step;
    }
    state.counters["slowest_ms"] = slowest * 1e3;
    state.counters["slowest_cpu_ms"] = slowestCpu * 1e3;
    state.counters["rows_shown_last"] = list->model()->rowCount();
    bindings.release();
}

}  // namespace

BENCHMARK(TypingIntoTheFilter)->Arg(600)->Arg(32767)->UseManualTime()->Unit(benchmark::kMillisecond);
