// The feed model at 100 000 items: posting keeps the index in order by one binary search and
// one move, and a load sorts once.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "feed/FeedDocument.h"

namespace quillcast {
namespace {

constexpr int kItems = 100000;

std::string DateOf(int i) {
  // Spread over the years, not in order, so every post lands somewhere in the middle.
  const int day = (i * 7919) % 28 + 1;
  const int year = 1990 + (i * 104729) % 35;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "Mon, %02d Mar %04d %02d:%02d:%02d GMT", day, year, i % 24,
                i % 60, (i / 60) % 60);
  return buffer;
}

void DefineChannel(FeedDocument& doc) {
  auto& channel = doc.RSSCDS();
  channel.Edit();
  channel.SetText("title", "Bench");
  channel.SetText("link", "http://example.org/");
  channel.SetText("description", "Benchmark feed");
  channel.Post();
}

void BM_InsertAndPost(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    FeedDocument doc;
    DefineChannel(doc);
    state.ResumeTiming();
    auto& items = doc.ItemCDS();
    for (int i = 0; i < kItems; ++i) {
      items.Insert();
      items.SetText("title", "Episode " + std::to_string(i));
      items.SetText("pubDate", DateOf(i));
      items.Post();
    }
    benchmark::DoNotOptimize(items.RecordCount());
  }
  state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_InsertAndPost)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_EditAndPostOneItem(benchmark::State& state) {
  FeedDocument doc;
  DefineChannel(doc);
  std::vector<Record> records(kItems);
  for (int i = 0; i < kItems; ++i) {
    records[static_cast<size_t>(i)].values.resize(kItemFieldCount);
    records[static_cast<size_t>(i)].values[kItPubDate] = DateOf(i);
  }
  doc.ItemCDS().LoadRecords(std::move(records));
  int i = 0;
  for (auto _ : state) {
    auto& items = doc.ItemCDS();
    items.MoveTo((i * 7) % kItems);
    items.Edit();
    items.SetText("pubDate", DateOf(i++ + kItems));
    items.Post();
  }
}
BENCHMARK(BM_EditAndPostOneItem)->Unit(benchmark::kMicrosecond);

void BM_SortedLoad(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    FeedDocument doc;
    std::vector<Record> records(kItems);
    for (int i = 0; i < kItems; ++i) {
      auto& values = records[static_cast<size_t>(i)].values;
      values.resize(kItemFieldCount);
      values[kItTitle] = "Episode " + std::to_string(i);
      values[kItPubDate] = DateOf(i);
    }
    state.ResumeTiming();
    doc.ItemCDS().LoadRecords(std::move(records));
    benchmark::DoNotOptimize(doc.ItemCDS().RecordCount());
  }
  state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_SortedLoad)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace quillcast

BENCHMARK_MAIN();
