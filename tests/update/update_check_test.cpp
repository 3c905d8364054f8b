#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/qzutility/http_get_win.h"
#include "platform/qzutility/qzutility.h"
#include "tests/update/local_http_server.h"

namespace {

using updtest::Behaviour;
using updtest::LocalHttpServer;

const wchar_t kManifestPath[] = L"/download/update/marlowen_update.txt";

struct CheckCase {
  const char* manifest;
  const wchar_t* installed;
  int expected;
};

TEST(UpdateCheck, ComparesTheServedVersionWithTheInstalledOne) {
  const CheckCase cases[] = {
      {"Cardivane=1.0.0.10\r\n", L"1.0.0.9", 1},
      {"Cardivane=1.0.0.9\r\n", L"1.0.0.10", 0},
      {"Cardivane=1.0.0.1\r\n", L"1.0.0.1", 0},
      {"# products\nOther=5.0\nCardivane=2.0\n", L"1.0.0.1", 1},
      {"Other=5.0\n", L"1.0.0.1", 0},
      {"Cardivane=soon\n", L"1.0.0.1", 0},
      {"Cardivane=2.0\n", L"", 0},
  };
  for (const CheckCase& c : cases) {
    LocalHttpServer server(Behaviour::Answer, 200, c.manifest);
    ASSERT_TRUE(server.ok());
    EXPECT_EQ(qzCheckUpdate(L"Cardivane", c.installed, server.Url(kManifestPath).c_str()), c.expected)
        << c.manifest << " / installed " << std::string(c.installed, c.installed + wcslen(c.installed));
    if (*c.installed == L'\0') continue;  // nothing to compare: not fetched
    const auto paths = server.Paths();
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(paths[0], "/download/update/marlowen_update.txt");
  }
}

TEST(UpdateCheck, FailuresReturnZero) {
  {
    LocalHttpServer server(Behaviour::Answer, 404, "Cardivane=9.0\n");
    EXPECT_EQ(qzCheckUpdate(L"Cardivane", L"1.0.0.1", server.Url(kManifestPath).c_str()), 0);
  }
  {
    LocalHttpServer server(Behaviour::Answer, 200, "Cardivane=9.0\n" + std::string(70 * 1024, '#'));
    EXPECT_EQ(qzCheckUpdate(L"Cardivane", L"1.0.0.1", server.Url(kManifestPath).c_str()), 0);
  }
  EXPECT_EQ(qzCheckUpdate(L"Cardivane", L"1.0.0.1", L"not an address"), 0);
  EXPECT_EQ(qzCheckUpdate(L"Cardivane", L"1.0.0.1", L"ftp://127.0.0.1/x.txt"), 0);
  EXPECT_EQ(qzCheckUpdate(nullptr, L"1.0.0.1", L"http://127.0.0.1/"), 0);
}

TEST(UpdateCheck, AnUnreachableHostAnswersQuickly) {
  // A port that was just free: nothing listens there.
  std::wstring url;
  {
    LocalHttpServer closed(Behaviour::Answer);
    url = closed.Url(kManifestPath);
  }
  const DWORD start = GetTickCount();
  EXPECT_EQ(qzCheckUpdate(L"Cardivane", L"1.0.0.1", url.c_str()), 0);
  EXPECT_LT(GetTickCount() - start, 6000u);
}

TEST(UpdateCheck, AServerThatNeverAnswersIsGivenUpOn) {
  LocalHttpServer server(Behaviour::Silent);
  qz::HttpLimits limits;
  limits.totalMs = 1500;
  DWORD start = GetTickCount();
  EXPECT_EQ(qz::HttpGet(server.Url(kManifestPath), limits).status, qz::HttpStatus::TooSlow);
  EXPECT_LT(GetTickCount() - start, 2500u);

  // The library's own limits: 15 s at most, whatever the client does.
  start = GetTickCount();
  EXPECT_EQ(qzCheckUpdate(L"Cardivane", L"1.0.0.1", server.Url(kManifestPath).c_str()), 0);
  EXPECT_LT(GetTickCount() - start, 16500u);
}

TEST(UpdateCheck, ASlowAnswerIsCutAtTheOverallLimit) {
  LocalHttpServer server(Behaviour::Trickle, 200, "Cardivane=9.0.0.0\n");
  qz::HttpLimits limits;
  limits.totalMs = 1000;
  const DWORD start = GetTickCount();
  const qz::HttpAnswer answer = qz::HttpGet(server.Url(kManifestPath), limits);
  EXPECT_EQ(answer.status, qz::HttpStatus::TooSlow);
  EXPECT_TRUE(answer.body.empty());
  EXPECT_LT(GetTickCount() - start, 3000u);
}

TEST(UpdateCheck, LatestVersionIsReadForTheUpdater) {
  LocalHttpServer server(Behaviour::Answer, 200, "Cardivane=1.0.0.12\n");
  wchar_t buffer[32];
  ASSERT_NE(qzGetLatestVersionW(L"Cardivane", server.Url(kManifestPath).c_str(), buffer, 32), 0);
  EXPECT_STREQ(buffer, L"1.0.0.12");
  wchar_t tiny[4];
  EXPECT_EQ(qzGetLatestVersionW(L"Cardivane", server.Url(kManifestPath).c_str(), tiny, 4), 0);
  EXPECT_STREQ(tiny, L"");
}

}  // namespace
