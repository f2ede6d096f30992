// The FTP client's reply-code rules in one table: for each step, the reply codes that fail it.
#pragma once

#include <cstdint>

enum class TFtpStep : uint8_t { Greeting, LogIn, Quit, Command, Pasv, Port, Appe, Completion };

struct TReplyRule {
    TFtpStep Step;
    int FirstFailing;
    int LastFailing;
};

// "Above 400" starts at 401, "below 600" ends at 599; reply codes never exceed 32767. The proxy
// host commands ("USER " + user + "@" + host, "OPEN ", "SITE ") are never tested.
constexpr TReplyRule ReplyRules[] = {
    {TFtpStep::Greeting, 401, 32767},  // above 400
    {TFtpStep::LogIn, 401, 599},       // "USER ", "PASS " and the firewall's: above 400, below 600
    {TFtpStep::Quit, 301, 599},        // above 300 and below 600
    {TFtpStep::Command, 400, 599},     // 400 to 599
    {TFtpStep::Pasv, 500, 32767},      // 500 or above
    {TFtpStep::Port, 301, 599},        // above 300 and below 600
    {TFtpStep::Appe, 301, 599},        // above 300 and below 600
    // The reply after the data: a failure there means the data may not have been stored.
    {TFtpStep::Completion, 400, 599},  // 400 to 599
};

constexpr bool ReplyFails(TFtpStep step, int code) {
    for (const TReplyRule& rule : ReplyRules)
        if (rule.Step == step) return code >= rule.FirstFailing && code <= rule.LastFailing;
    return false;
}

// The log-in replies that ask for a password, which "PASS " then sends: 331 only.
constexpr bool ReplyAsksPassword(int code) { return code == 331; }

// A failing command or "APPE " reply from 500 to 502 also fires OnUnSupportedFunction.
constexpr bool ReplyUnsupported(int code) { return code >= 500 && code <= 502; }
