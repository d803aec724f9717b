#pragma once

#include <QObject>

#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace morvane {

class Engine;

/// The Setting menu's items for the options kept outside the settings file. Each click sets
/// the options through the engine; the check marks show what the engine holds.
class PreferenceActions final : public QObject {
    Q_OBJECT
public:
    /// Adds the items to the end of `menu`; `dialogParent` owns the lead time question.
    PreferenceActions(Engine& engine, QMenu& menu, QWidget* dialogParent);

    /// How the presence of a desktop tray is asked; until it is set there is none.
    void SetTrayCheck(std::function<bool()> available);
    /// Sets the check marks from the engine's options.
    void Sync();
    /// Applies the translated captions.
    void Retranslate();

private:
    void AskLeadTime();

    Engine& m_engine;
    QWidget* m_dialogParent;
    std::function<bool()> m_trayAvailable; // none until set: no tray
    QAction* m_warn = nullptr;
    QAction* m_lead = nullptr;
    QAction* m_sound = nullptr;
    QAction* m_fullScreen = nullptr;
    QAction* m_notifyPower = nullptr;
    QAction* m_notifyFailures = nullptr;
    QAction* m_keepInTray = nullptr;
    QAction* m_closeGently = nullptr;
};

} // namespace morvane
