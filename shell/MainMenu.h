#pragma once
// The main menu's ten tiles: which are shown (by module grant, after login)
// and the cell of each in the two-column grid, visible tiles packed with no gaps.

#include <QList>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace korvel {

class Session;

class MainMenu : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("owned by the navigator")
    Q_PROPERTY(int count READ count CONSTANT)
    Q_PROPERTY(int revision READ revision NOTIFY changed)

public:
    struct Tile {
        const char* layout;  // objectName of the tile
        const char* caption;
        int module;          // grant position that shows it
    };
    static const Tile kTiles[10];

    explicit MainMenu(QObject* parent = nullptr);

    int count() const { return 10; }
    int revision() const { return m_revision; }
    Q_INVOKABLE QString layoutName(int tile) const;
    Q_INVOKABLE QString caption(int tile) const;
    Q_INVOKABLE bool tileVisible(int tile) const;
    Q_INVOKABLE int row(int tile) const;
    Q_INVOKABLE int column(int tile) const;

    // Tile visibility from the grants, then the re-flow.
    void PrepararMenus(const Session& session);
    void setVisible(const QList<bool>& visible);

signals:
    void changed();

private:
    QList<bool> m_visible;
    QList<int> m_row;
    QList<int> m_column;
    int m_revision = 0;
};

} // namespace korvel
