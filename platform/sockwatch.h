// What the socket calls tell the notification glue about the state of a registered socket.
#pragma once

#include <QObject>
#include <cstdint>

// A non-blocking connect is under way: its outcome becomes a connect notice.
void WatchConnecting(uint16_t s);
// The socket listens: readiness means a pending connection.
void WatchListening(uint16_t s);
// A receive or an accept happened: the data or accept notice may come again.
void WatchRearm(uint16_t s);
// The socket is being closed: no notice of it is posted any more.
void WatchDrop(uint16_t s);

// Serial numbers shared by registrations and look-up requests, never reused.
uint64_t NextSockSerial();
bool SocketRegistrationCurrent(uint16_t s, uint64_t serial);
void ForgetSocketReceiver(QObject* receiver);
