// Not a test: the card-writing figures for tools/bench_generator.py, which
// names the real container to copy from. Skipped in ordinary runs.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "generator/CardWriter.h"
#include "tests/win/TestFiles.h"

namespace {

// Writes the card rounds times; prints the median, fastest and slowest time
// and the size of what was written.
void Rounds(const wchar_t* container, const std::wstring& card, int rounds, const char* label) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  std::vector<double> ms;
  for (int i = 0; i < rounds; ++i) {
    CardWriter writer;
    QueryPerformanceCounter(&start);
    bool ok = writer.Prepare(container, card.c_str()) && writer.WriteSendersAndPlace(L"Mario e Anna");
    QueryPerformanceCounter(&end);
    ASSERT_TRUE(ok) << writer.Error();
    ms.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
  }
  std::sort(ms.begin(), ms.end());
  std::printf("%s write: median %.3f ms, fastest %.3f ms, slowest %.3f ms, %d rounds, %zu bytes\n", label,
              ms[ms.size() / 2], ms.front(), ms.back(), rounds, ReadBytes(card).size());
}

}  // namespace

TEST(Bench, WriteCards) {
  wchar_t container[MAX_PATH * 2];
  if (!GetEnvironmentVariableW(L"CAROLUX_BENCH_CONTAINER", container, MAX_PATH * 2)) GTEST_SKIP();
  wchar_t roundsText[16] = L"21";
  GetEnvironmentVariableW(L"CAROLUX_BENCH_ROUNDS", roundsText, 16);
  int rounds = std::max(1, _wtoi(roundsText));
  ScratchFolder folder(L"bench");
  Rounds(container, folder.File(L"Vavuri.exe"), rounds, "card");
  Rounds(container, folder.File(L"Vavuri.zip"), rounds, "zipped card");
  Rounds(container, folder.File(L"Vavuri.html"), rounds, "web card");
}
