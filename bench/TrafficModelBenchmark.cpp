// What the Traffic window costs with a full record: taking in and showing
// 100 000 entries, and filtering them, each down to a painted table. Both
// must stay well under 200 ms.
#include "control/TrafficTableModel.h"
#include "link/TrafficRecord.h"
#include "platform/VirtualClock.h"

#include <QApplication>
#include <QHeaderView>
#include <QPixmap>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <string>

namespace {

using tarn::TrafficDirection;
using tarn::TrafficKind;

// A day's polling: commands, their replies and acknowledgements, now and
// then a time-out, until the ring is full.
struct FullRecord {
    tarn::VirtualClock clock;
    tarn::TrafficRecord record{clock, tarn::SessionStart::now()};

    FullRecord()
    {
        const std::array<std::vector<std::uint8_t>, 4> frames = {{
            {0xF8, 0x05, 'L', '?', 0x86},
            {0xF8, 0x05, 'L', 'B', 'A', '0', 0x8A},
            {0xF8, 0x05, 'c', 'd', 'S', 0x10, 0x81},
            {0x06},
        }};
        for (std::size_t i = 0; record.dropped() == 0; ++i) {
            tarn::TrafficEvent event;
            event.transport = tarn::TrafficTransport::Serial;
            const std::size_t which = i % 5;
            if (which == 4) {
                event.direction = TrafficDirection::Received;
                event.kind = TrafficKind::TimeOut;
                event.verdict = tarn::TrafficVerdict::TimeOut;
                event.note = "no answer within 100 ms";
            } else {
                event.direction = which % 2 == 0 ? TrafficDirection::Sent : TrafficDirection::Received;
                event.kind = which == 3 ? TrafficKind::Acknowledgement : TrafficKind::Tarn;
                event.bytes = frames[which];
            }
            record.traffic(event);
            clock.advance(7);
        }
    }
};

FullRecord& fullRecord()
{
    static FullRecord full;
    return full;
}

std::unique_ptr<QTableView> tableOf(tarn::TrafficTableModel& model)
{
    auto view = std::make_unique<QTableView>();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->hide();
    view->resize(1100, 500);
    view->setModel(&model);
    return view;
}

void showHundredThousandEntries(benchmark::State& state)
{
    tarn::TrafficRecord& record = fullRecord().record;
    for (auto _ : state) {
        tarn::TrafficTableModel model(record);
        auto view = tableOf(model);
        model.sync();
        view->scrollToBottom();
        const QPixmap shown = view->grab();
        benchmark::DoNotOptimize(shown.width());
        if (model.rowCount() != static_cast<int>(record.size()))
            state.SkipWithError("not every entry was taken in");
    }
    state.counters["rows"] = static_cast<double>(record.size());
}
BENCHMARK(showHundredThousandEntries)->Unit(benchmark::kMillisecond);

void filterHundredThousandEntries(benchmark::State& state)
{
    tarn::TrafficRecord& record = fullRecord().record;
    tarn::TrafficTableModel model(record);
    auto view = tableOf(model);
    model.sync();
    const std::array<QString, 4> filters = {QStringLiteral("cds"), QStringLiteral("F8 05 4C"),
                                            QStringLiteral("time-out"), QString()};
    std::size_t next = 0;
    for (auto _ : state) {
        model.setFilter(filters[next++ % filters.size()]);
        view->scrollToBottom();
        const QPixmap shown = view->grab();
        benchmark::DoNotOptimize(shown.width());
    }
}
BENCHMARK(filterHundredThousandEntries)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // No display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
