#include <gtest/gtest.h>

#include <stdio.h>

#include <string>

#include "cardbytes/WebCardPage.h"
#include "codecs/Crc32.h"

namespace {

// A template as the build writes it: the page, then its trailer.
std::string Template(const std::string& page, int places) {
  char trailer[64];
  snprintf(trailer, sizeof(trailer), "\n<!-- webcard %08x %08x %02x -->\n", static_cast<unsigned>(page.size()),
           Crc32(reinterpret_cast<const unsigned char*>(page.data()), page.size()), places);
  return page + trailer;
}

bool Fill(const std::string& templ, const WideString& senders, std::string& page) {
  ByteBuffer out;
  bool ok = FillWebCardPage(reinterpret_cast<const unsigned char*>(templ.data()), templ.size(), senders, out);
  page.assign(out.c_str(), out.size());
  return ok;
}

const char kPage[] =
    "<title>Da {{senders}}</title><p class=\"names\">{{senders}}</p>"
    "<div aria-label='{{senders}}' title=\"{{senders}}\"></div><script>x</script>";

TEST(WebCardPage, NamesAreDataInEveryPlaceTheyAppear) {
  std::string page;
  ASSERT_TRUE(Fill(Template(kPage, 4), L"</script><b>\"&'", page));
  const std::string escaped = "&lt;/script&gt;&lt;b&gt;&quot;&amp;&#39;";
  EXPECT_EQ(page, "<title>Da " + escaped + "</title><p class=\"names\">" + escaped + "</p><div aria-label='" +
                      escaped + "' title=\"" + escaped + "\"></div><script>x</script>");

  // No names at all leave the places empty, and the page whole.
  ASSERT_TRUE(Fill(Template(kPage, 4), L"", page));
  EXPECT_EQ(page.find("{{senders}}"), std::string::npos);
  EXPECT_NE(page.find("<p class=\"names\"></p>"), std::string::npos);
}

TEST(WebCardPage, NamesBecomeUtf8) {
  const std::string templ = Template("[{{senders}}]", 1);
  std::string page;
  ASSERT_TRUE(Fill(templ, L"\u039C\u03B1\u03C1\u03AF\u03B1 \u3055\u304F\u3089", page));
  EXPECT_EQ(page, "[\xCE\x9C\xCE\xB1\xCF\x81\xCE\xAF\xCE\xB1 \xE3\x81\x95\xE3\x81\x8F\xE3\x82\x89]");

  // A character beyond the first plane, as the system gives it: one wchar_t
  // here (4 bytes), a pair of surrogates where wchar_t has 2 bytes.
  WideString tree;
  if (sizeof(wchar_t) == 2) {
    tree += static_cast<wchar_t>(0xD83C);
    tree += static_cast<wchar_t>(0xDF84);
  } else {
    tree += static_cast<wchar_t>(0x1F384);
  }
  ASSERT_TRUE(Fill(templ, tree, page));
  EXPECT_EQ(page, "[\xF0\x9F\x8E\x84]");

  // A lone surrogate is no character: U+FFFD stands in. NULs of a padded
  // field are dropped.
  WideString odd;
  odd += static_cast<wchar_t>(0xDC00);
  odd += L'a';
  odd += L'\0';
  odd += static_cast<wchar_t>(0xD800);
  ASSERT_TRUE(Fill(templ, odd, page));
  EXPECT_EQ(page, "[\xEF\xBF\xBD" "a" "\xEF\xBF\xBD]");
}

TEST(WebCardPage, LinkAndSizeClassOfTheNames) {
  const std::string templ = Template("<a href=\"biglietto.html#{{senders_link}}\" class=\"fit{{senders_fit}}\">", 2);
  std::string page;
  ASSERT_TRUE(Fill(templ, L"Mario e Anna <&>\u00E8", page));
  EXPECT_EQ(page, "<a href=\"biglietto.html#Mario%20e%20Anna%20%3C%26%3E%C3%A8\" class=\"fit1\">");

  // Longer names take two lines, smaller as they widen; square letters
  // count more than Latin ones, marks nothing.
  auto times = [](size_t n, wchar_t c) {
    WideString text;
    while (n--) text += c;
    return text;
  };
  auto fit = [&](const WideString& names) {
    Fill(Template("{{senders_fit}}", 1), names, page);
    return page;
  };
  EXPECT_EQ(fit(L""), "1");
  EXPECT_EQ(fit(L"Mario, Anna, Giulia e Luca"), "1");
  EXPECT_EQ(fit(L"Mario e Anna, Giulia, Luca e Sofia, i nonni Piero e Carla e zia T"), "2");  // 66
  EXPECT_EQ(fit(times(70, L'a')), "3");
  EXPECT_EQ(fit(times(45, L'\u3055')), "3");
  EXPECT_EQ(fit(times(70, L'\u3055')), "5");
  EXPECT_EQ(fit(times(29, L'e') + times(29, L'\u0301')), "1");
}

TEST(WebCardPage, DamagedTemplateIsRefused) {
  const std::string good = Template(kPage, 4);
  std::string page;
  ASSERT_TRUE(Fill(good, L"Mario", page));

  // Cut anywhere, even just its last byte.
  for (size_t keep : {size_t{0}, size_t{10}, good.size() / 2, good.size() - 40, good.size() - 1}) {
    EXPECT_FALSE(Fill(good.substr(0, keep), L"Mario", page)) << keep;
    EXPECT_TRUE(page.empty());
  }
  // Any byte changed, in the page or in its trailer.
  for (size_t at : {size_t{0}, size_t{12}, sizeof(kPage) - 2, good.size() - 20, good.size() - 8}) {
    std::string bad = good;
    bad[at] = static_cast<char>(bad[at] ^ 0x20);
    EXPECT_FALSE(Fill(bad, L"Mario", page)) << at;
  }
  // A placeholder lost on the way, though the trailer is consistent, or none
  // at all: the names would not show.
  EXPECT_FALSE(Fill(Template(kPage, 3), L"Mario", page));
  EXPECT_FALSE(Fill(Template("<p>no names</p>", 0), L"Mario", page));
  EXPECT_FALSE(Fill(std::string(kPage), L"Mario", page));
  ByteBuffer none;
  EXPECT_FALSE(FillWebCardPage(nullptr, 0, L"Mario", none));
}

}  // namespace
