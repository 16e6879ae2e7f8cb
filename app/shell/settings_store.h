#pragma once

#include <QString>
#include <QStringList>
#include <chrono>

namespace shell {

// The registry's file as the window uses it: made ready before anything reads it, and what goes
// wrong with it told to the user, once each and naming the file, so that settings are never lost
// without a word.
//
// Thread: the user-interface thread.
class SettingsStore {
public:
    // How long the window's thread waits for another program that holds the file: long enough for
    // another Pinlore to write a value, short enough that the window never freezes.
    static constexpr std::chrono::milliseconds kWindowWait{500};

    // Before anything reads the registry. While another program holds the file locked, a dialog says
    // so and waits until it is free or the user cancels. When the file cannot be used, or the user
    // did not wait, the settings live in memory for this run (the program works, nothing is kept).
    // What happened is among the next messages.
    static void Prepare();

    // What happened to the settings since the last call, as messages for the user.
    static QStringList TakeMessages();
    static bool MessagesPending();
};

}  // namespace shell
