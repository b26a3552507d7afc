// Watches for message boxes from another thread while the test's own
// thread is blocked inside the call that shows them: finds each box by its
// caption, reads its text and presses the button the test chose.
#pragma once
#include <windows.h>

#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct BoxWatch {
  std::wstring Caption;
  std::deque<int> Buttons;   // buttons to press, box by box (IDOK when empty)
  DWORD TimeoutMs = 10000;   // the watch ends this long after its last box
  // Results.
  std::mutex Lock;
  std::vector<std::wstring> Texts;  // one per box answered
  std::thread Thread;
  volatile bool Stop = false;
};

// Starts watching for boxes with this caption.
void BoxWatchStart(BoxWatch* watch, const wchar_t* caption);
// The button for the next box still to come (IDOK when none is given).
void BoxWatchAnswer(BoxWatch* watch, int button);
// The texts of the boxes answered since the last call.
std::vector<std::wstring> BoxWatchTake(BoxWatch* watch);
// Ends the watch and returns the texts of the boxes not yet taken.
std::vector<std::wstring> BoxWatchFinish(BoxWatch* watch);

// UTF-16 text to UTF-8, for test messages.
std::string Utf8(const std::wstring& text);
