// The Windows programs' sine, cosine, arc cosine and power, and their
// reading of number words, compared bit for bit with the Linux programs'.
// Built for both: "write FILE" (Linux) stores the results, "check FILE"
// (Windows, under Wine) counts where its own differ. The arguments are
// those the translators pass: angles from whole angle units, text angles,
// rotation cosines, coordinate differences.
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "platform/number_words.h"

namespace {

const int kPerFunction = 250000;
const double kPi = 3.141592653589793;

struct Random {
  uint64_t state = 88172645463325252ull;
  uint64_t next() {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  }
  double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
  int32_t any32() { return static_cast<int32_t>(static_cast<uint32_t>(next())); }
};

double angle(Random& r, int kind) {
  switch (kind % 5) {
    case 0:  // an arc's start or sweep, any 32-bit value
      return r.any32() * kPi * 1.54320987654321e-8;
    case 1:  // the same within a turn
      return static_cast<int32_t>(r.next() % 129600000) * kPi * 1.54320987654321e-8;
    case 2:  // a text angle in hundredths of a degree, as the box takes it
      return static_cast<int32_t>(r.next() % 36000) * 0.000174533;
    case 3:  // a 2D text's angle and its perpendicular
      return static_cast<int32_t>(r.next() % 36000) * 0.01 * kPi / 180 + (r.next() & 1) * kPi / 2;
    default:  // an ellipse's rotation
      return r.any32() * kPi / 64800000;
  }
}

// Words as people type them, and as they mistype them.
std::vector<std::string> numberWords(Random& r) {
  std::vector<std::string> words = {
      "nan", "-nan", "NaN(123)", "nan(0x1f)", "nan(abc", "nan()", "inf", "-INF", "infinity",
      "infinit", "0x1A", "0x1.8p1", "0x", "0x.8", "0X1p-1074", "0x1p-1075", "1e1", "1e", "1e+",
      "1e400", "-1e400", "1e-400", "2.4703282292062328e-324", "0,1", " \t12.5x", "+.5", ".",
      "-.e1", "1.7976931348623159e308", "0.1", "99", "99.0", "9.9e1", "4294967296",
      "-2147483649", "99999999999999999999", "-9223372036854775809", "0006", "+-1", "",
      "9007199254740993", "1e23", "0x1.fffffffffffff8p1023"};
  const char kDigits[] = "0123456789";
  const char kHex[] = "0123456789abcdefABCDEF";
  for (int i = 0; i < 50000; ++i) {
    std::string w = (r.next() & 3) == 0 ? "-" : "";
    if (r.next() % 4 == 0) {
      w += "0x";
      for (int n = 1 + r.next() % 18; n > 0; --n) w += kHex[r.next() % 22];
      if (r.next() & 1) w += "p" + std::to_string(static_cast<int>(r.next() % 2200) - 1100);
    } else {
      for (int n = 1 + r.next() % 20; n > 0; --n) w += kDigits[r.next() % 10];
      if (r.next() & 1) w += ".";
      for (int n = r.next() % 20; n > 0; --n) w += kDigits[r.next() % 10];
      if (r.next() & 1) w += "e" + std::to_string(static_cast<int>(r.next() % 700) - 350);
    }
    words.push_back(w);
  }
  return words;
}

struct Results {
  std::vector<double> sin, cos, acos, pow, real;
  std::vector<int64_t> whole;
};

Results compute() {
  Random r;
  Results out;
  for (int i = 0; i < kPerFunction; ++i) {
    const double a = angle(r, i);
    out.sin.push_back(sin(a));
    out.cos.push_back(cos(angle(r, i + 1)));
    const double c = i % 10 == 0 ? 1 - r.unit() * 1e-6 : r.unit() * 2 - 1;
    out.acos.push_back(acos(i % 20 == 0 ? -c : c));
    const double d = (r.unit() - 0.5) * pow(10.0, static_cast<double>(r.next() % 11)) + 0.00001;
    out.pow.push_back(pow(d, 2.0));
  }
  for (const std::string& word : numberWords(r)) {
    const char* end = nullptr;
    out.real.push_back(readReal(word.c_str(), &end));
    out.whole.push_back(readInteger(word.c_str()) + (static_cast<int64_t>(end - word.c_str()) << 40));
  }
  return out;
}

template <typename T>
bool transfer(FILE* file, std::vector<T>& values, bool writing) {
  const size_t n = values.size();
  return (writing ? fwrite(values.data(), sizeof(T), n, file) : fread(values.data(), sizeof(T), n, file)) == n;
}

template <typename T>
long differences(const std::vector<T>& a, const std::vector<T>& b) {
  long count = 0;
  for (size_t i = 0; i < a.size(); ++i) count += memcmp(&a[i], &b[i], sizeof(T)) != 0;
  return count;
}

}  // namespace

int main(int argc, char** argv) {
  const bool writing = argc == 3 && strcmp(argv[1], "write") == 0;
  if (argc != 3 || (!writing && strcmp(argv[1], "check") != 0)) {
    fprintf(stderr, "uso: maths_compare write|check FICHERO\n");
    return 2;
  }
  Results own = compute();
  Results stored = own;
  FILE* file = fopen(argv[2], writing ? "wb" : "rb");
  Results& io = writing ? own : stored;
  if (file == NULL || !transfer(file, io.sin, writing) || !transfer(file, io.cos, writing) ||
      !transfer(file, io.acos, writing) || !transfer(file, io.pow, writing) ||
      !transfer(file, io.real, writing) || !transfer(file, io.whole, writing) || fclose(file) != 0) {
    fprintf(stderr, "maths_compare: no se puede usar %s\n", argv[2]);
    return 2;
  }
  if (writing) return 0;
  const long counts[] = {differences(own.sin, stored.sin), differences(own.cos, stored.cos),
                         differences(own.acos, stored.acos), differences(own.pow, stored.pow)};
  printf("distintos de glibc en %d argumentos cada una: sin %ld, cos %ld, acos %ld, pow %ld\n",
         kPerFunction, counts[0], counts[1], counts[2], counts[3]);
  const long words = differences(own.real, stored.real) + differences(own.whole, stored.whole);
  printf("palabras numericas leidas distinto: %ld de %zu\n", words, own.real.size());
  // A few in a thousand: no two libraries round every result alike; more
  // means a function is no longer the one linked in.
  bool close = true;
  for (long count : counts) close = close && count * 200 < kPerFunction;
  return words == 0 && close ? 0 : 1;
}
