// Throughput of the date-time operations the schedule runs on every tick and every arming.
#include "bench/BenchRunner.h"
#include "schedule/DateTime.h"

#include <string>

int main() {
  const char* const texts[] = {"2016年5月28日23时44分29秒", "2016/05/28 23:44:29",
                               "２０１６年５月２８日２３时４４分２９秒", "在此点击右键或左键"};
  const char* const names[] = {"fromText: text form", "fromText: slashes and colons",
                               "fromText: full-width digits", "fromText: unreadable text"};
  for (int i = 0; i < 4; ++i) {
    const char* text = texts[i];
    bench::run(names[i], [text](uint64_t) {
      bench::sink = bench::sink + static_cast<uint64_t>(DateTime::fromText(text).serial);
    });
  }

  const DateTime evening = DateTime::fromParts(2016, 5, 28, 23, 44, 29);
  bench::run("toText", [evening](uint64_t i) {
    const DateTime value = DateTime::add(evening, 8, static_cast<int32_t>(i % 100000));
    bench::sink = bench::sink + DateTime::toText(value).size();
  });
  bench::run("add seconds", [evening](uint64_t i) {
    bench::sink = bench::sink +
                  static_cast<uint64_t>(DateTime::add(evening, 8, static_cast<int32_t>(i)).serial);
  });
  bench::run("add months", [evening](uint64_t i) {
    bench::sink = bench::sink + static_cast<uint64_t>(
                                    DateTime::add(evening, 3, static_cast<int32_t>(i % 1000)).serial);
  });
  bench::run("difference in seconds", [evening](uint64_t i) {
    const DateTime later{evening.serial + static_cast<double>(i % 100000) / 86400};
    bench::sink = bench::sink + static_cast<uint64_t>(DateTime::difference(later, evening, 8));
  });
  bench::run("difference in weeks", [evening](uint64_t i) {
    const DateTime later{evening.serial + static_cast<double>(i % 100000)};
    bench::sink = bench::sink + static_cast<uint64_t>(DateTime::difference(later, evening, 4));
  });
  bench::run("parts", [evening](uint64_t i) {
    const DateTime value{evening.serial + static_cast<double>(i % 100000) / 86400};
    bench::sink = bench::sink + static_cast<uint64_t>(DateTime::parts(value).second);
  });
  const std::string tickText = "2016年5月29日0时44分29秒";
  bench::run("one tick's work (fromText + difference)", [&tickText, evening](uint64_t) {
    const DateTime deadline = DateTime::fromText(tickText.c_str());
    bench::sink = bench::sink + static_cast<uint64_t>(DateTime::difference(deadline, evening, 8));
  });
  return 0;
}
