#pragma once

#include <QDialog>

class QTreeWidget;

namespace morvane {

class Engine;
class LanguageTable;
struct HistoryEvent;

/// What ran, when, and how it went: the engine's history, newest first.
class HistoryWindow final : public QDialog {
    Q_OBJECT
public:
    HistoryWindow(const Engine& engine, QWidget* parent);

    /// Rebuilds the list from the engine's history.
    void Refresh();
    /// Applies the translated captions.
    void Retranslate();

    /// The "what" and "result" columns of one event.
    [[nodiscard]] static QString What(const HistoryEvent& event, const LanguageTable& lan);
    [[nodiscard]] static QString Result(const HistoryEvent& event);

private:
    /// How a gentle close went, from its event's counts.
    [[nodiscard]] static QString GentleResult(const HistoryEvent& event);

    const Engine& m_engine;
    QTreeWidget* m_list = nullptr;
};

} // namespace morvane
