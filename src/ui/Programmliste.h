#pragma once
// The program listing beside the graphic: a view over the loaded program's
// block list (no copy; a million blocks cost nothing until shown), or over
// the running subprogram's while it runs, with the running block marked.
#include <QAbstractListModel>
#include <cstdint>
#include <optional>
#include <string_view>

namespace korvx {
class BlockList;
struct Anlage;
} // namespace korvx

namespace korvx::ui {

class Programmliste : public QAbstractListModel {
    Q_OBJECT
public:
    explicit Programmliste(const Anlage& anlage, QObject* parent = nullptr);

    int rowCount(const QModelIndex& eltern = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int rolle) const override;

    // Brings the row count and the list shown up to date with the program
    // and the run; `laeuft` marks the current block. Returns the marked row,
    // or −1 when none is marked.
    int Folgen(bool laeuft);
    int Laufzeile() const { return laufzeile_; }
    bool ZeigtUnterprogramm() const { return unterprogramm_; }

private:
    const BlockList* Liste() const;

    const Anlage& anlage_;
    bool unterprogramm_ = false;
    int zeilen_ = 0;
    int laufzeile_ = -1;
};

// The start block a click on a listing line selects: the number of its first
// N word, 1 for the program's first block, nothing for a line without one.
std::optional<std::int32_t> AnwahlsatzDerZeile(std::string_view zeile, bool ersterSatz);

} // namespace korvx::ui
