#pragma once

#include <QtGlobal>

namespace morvane::test {

/// Drops the offscreen platform's notes about window features it lacks ("This plugin does not
/// support raise()"), so test logs show only what matters. Everything else goes through.
inline void QuietOffscreenNotes() {
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (message.startsWith(QLatin1String("This plugin does not support"))) {
                return;
            }
            if (previous != nullptr) {
                previous(type, context, message);
            }
        });
}

} // namespace morvane::test
