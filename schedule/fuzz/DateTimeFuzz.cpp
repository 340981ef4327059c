// libFuzzer target for the date-time text form: reading any bytes, writing any value, and the
// round trip between the two, plus add and difference on arbitrary values. Any sanitizer report
// or failed check is a finding.
#include "schedule/DateTime.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const char* text = input.c_str();

  // Narrowing never lengthens a text.
  check(narrowText(text).size() <= std::strlen(text));

  // Whatever is read, its text form reads back to the same calendar fields.
  const DateTime read = DateTime::fromText(text);
  check(read.serial == DateTime::kMin.serial || DateTime::parts(read) == clampParts(DateTime::parts(read)));
  const std::string written = DateTime::toText(read);
  const DateTime reread = DateTime::fromText(written.c_str());
  check(DateTime::parts(reread) == DateTime::parts(read));
  check(DateTime::toText(reread) == written);

  // The same for any serial at all, taken from the input's first bytes.
  if (size >= sizeof(double) + 2 * sizeof(int32_t)) {
    double serial;
    int32_t unit;
    int32_t amount;
    std::memcpy(&serial, data, sizeof serial);
    std::memcpy(&unit, data + sizeof serial, sizeof unit);
    std::memcpy(&amount, data + sizeof serial + sizeof unit, sizeof amount);
    const DateTime value{serial};
    const std::string valueText = DateTime::toText(value);
    check(DateTime::parts(DateTime::fromText(valueText.c_str())) == DateTime::parts(value));

    // Arithmetic on arbitrary values and amounts stays defined and in range when read.
    const DateTime moved = DateTime::add(value, unit, amount);
    const DateParts movedParts = DateTime::parts(moved);
    check(movedParts == clampParts(movedParts));
    const double apart = DateTime::difference(moved, value, unit);
    check(apart == apart);
    check(truncateToInt64(apart) == truncateToInt64(apart));
  }
  return 0;
}
