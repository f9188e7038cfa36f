// Reading the graphics window's mouse input. The window thread queues up to 63 mouse messages;
// these functions take them on the program's side. Calls from several threads are serialised.
#pragma once

#include "mouse_msg.h"
#include "platform_api.h"

// Waits until a mouse message is queued, at most timeout_ms milliseconds (INFINITE: no limit).
// True when one is waiting; false when the time ran out or no window is open to send one.
bool mouse_wait_message(DWORD timeout_ms = INFINITE);
// Takes the oldest queued mouse message into *message (when not null). False when none is queued.
bool mouse_get_message(MOUSEMSG* message);
// Copies the oldest queued mouse message into *message without taking it. False when none is queued.
bool mouse_peek_message(MOUSEMSG* message);
// Whether a mouse message is queued.
bool mouse_has_message();
// Discards every queued mouse message.
void mouse_clear_messages();
