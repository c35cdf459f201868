#pragma once
// A titled group of radio buttons addressed by item index.
#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace korvx::ui {

// A titled group of radio buttons of which at most one is selected; items are
// addressed by their index, -1 standing for none. The buttons are named
// "Item0", "Item1", … in order.
class RadioGruppe : public QGroupBox {
    Q_OBJECT
public:
    RadioGruppe(const QString& titel, const QStringList& eintraege, QWidget* parent = nullptr);

    int ItemIndex() const;
    // -1 clears the selection.
    void SetzeItemIndex(int index);
    QRadioButton* Item(int index) const;

signals:
    // The operator clicked an item.
    void geklickt(int index);

private:
    QButtonGroup* gruppe_;
};

} // namespace korvx::ui
