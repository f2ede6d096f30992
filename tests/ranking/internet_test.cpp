// The connection-state queries: this platform's own answers and the dialog's reading of them.
#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

#include "platform/internet.h"
#include "ranking/ranking.h"
#include "tests/ranking/rankingtestsupport.h"

// Connected means some interface other than loopback is up with an address, as `ip` sees it.
TEST(RankingInternet, ConnectedWhenAnOutwardInterfaceIsUp) {
    QProcess ip;
    ip.start(QStringLiteral("ip"), {QStringLiteral("-o"), QStringLiteral("addr"),
                                    QStringLiteral("show"), QStringLiteral("up")});
    if (!ip.waitForFinished(5000) || ip.exitCode() != 0) GTEST_SKIP() << "no ip command";
    bool outward = false;
    for (const QString& line : QString::fromUtf8(ip.readAllStandardOutput()).split('\n')) {
        const QStringList fields = line.split(QRegularExpression(QStringLiteral("\\s+")));
        if (fields.size() > 2 && fields[1] != QStringLiteral("lo") &&
            fields[2].startsWith(QStringLiteral("inet"))) {
            outward = true;
        }
    }
    EXPECT_EQ(InternetGetConnectedState(), outward);
    uint32_t state = 0xFFFFFFFF;
    EXPECT_TRUE(InternetQueryConnectedState(state));
    EXPECT_EQ(state & INTERNET_STATE_DISCONNECTED_BY_USER, 0u);  // no work-offline state here
}

// The attempt to go online succeeds exactly when the platform is connected.
TEST(RankingInternet, AttemptSucceedsWhenConnected) {
    for (bool connected : {true, false}) {
        SetInternetPlatform({[connected] { return connected; }, nullptr, nullptr});
        EXPECT_EQ(InternetAttemptConnect() == 0, connected);
    }
    SetInternetPlatform({});
}

// The dialog counts as offline only when the query works and reports the user's offline bit.
TEST(RankingInternet, TheDialogReadsTheOfflineBit) {
    TRanking ranking(TGameFolder("/nonexistent"), [](int) {});
    struct Case {
        bool works;
        uint32_t state;
        bool offline;
    };
    for (const Case& c : {Case{true, INTERNET_STATE_DISCONNECTED_BY_USER, true},
                          Case{true, INTERNET_STATE_DISCONNECTED_BY_USER | 1, true},
                          Case{true, INTERNET_STATE_CONNECTED, false}, Case{true, 0, false},
                          Case{false, INTERNET_STATE_DISCONNECTED_BY_USER, false}}) {
        SetInternetPlatform({[] { return true; },
                             [c](uint32_t& state) {
                                 state = c.state;
                                 return c.works;
                             },
                             nullptr});
        EXPECT_EQ(ranking.IsGlobalOffline(), c.offline) << c.state << " " << c.works;
        EXPECT_TRUE(ranking.IsInternetConnected());
    }
    SetInternetPlatform({});
}
