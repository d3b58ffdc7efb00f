#ifndef MENUANSWER_H
#define MENUANSWER_H

// Answers the popup menu that a control runs modally (QMenu::exec) in a
// nested loop, for the tests of the controls with context menus.

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QObject>
#include <QTimer>

#include <functional>

// While it lives, watches for a popup menu: the first one that shows is
// handed to `act` (which may read it and pick an entry) and then closed, so
// its exec() returns. A test that expects no menu checks `shown` and never
// hangs: an unexpected menu is closed as well. After about two seconds
// without a menu it gives up and stops watching.
class MenuAnswer : public QObject
{
public:
    explicit MenuAnswer(std::function<void(QMenu *)> act = {})
        : m_act(std::move(act))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start(10);
    }

    // Picks the enabled entry with this text (its slot runs while the menu
    // is still up, then the menu closes).
    static MenuAnswer *choosing(const QString &text, QObject *parent)
    {
        auto *answer = new MenuAnswer([text](QMenu *menu) {
            for (QAction *action : menu->actions()) {
                if (action->text() == text && action->isEnabled()) {
                    action->trigger();
                    return;
                }
            }
        });
        answer->setParent(parent);
        return answer;
    }

    bool shown = false;
    QStringList texts;
    QList<bool> enabled;

private:
    void poll()
    {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu) {
            if (++m_ticks > 200)
                m_timer.stop();
            return;
        }
        m_timer.stop();
        shown = true;
        for (QAction *action : menu->actions()) {
            texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
            enabled.append(action->isEnabled());
        }
        if (m_act)
            m_act(menu);
        menu->close();
    }

    std::function<void(QMenu *)> m_act;
    QTimer m_timer;
    int m_ticks = 0;
};

#endif // MENUANSWER_H
