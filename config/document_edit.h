#pragma once

// One change of a document's options and name tables, kept as what differs, so that it can be
// taken back and made again on the document it was made on. An edit of one cell keeps one row,
// not the tables. The path and the file's fingerprint are no part of an edit: taking one back
// never points the document at another file.

#include <cstdint>
#include <vector>

#include "config/document.h"

namespace zurcfg {

class DocumentEdit {
public:
    struct RowChange {
        int row;  // the entry number
        NameEntry before;
        NameEntry after;
    };

    // The edit that turns `before` into `after`.
    DocumentEdit(const Document& before, const Document& after);

    void Undo(Document& document) const;
    void Redo(Document& document) const;

    const Configuration& OptionsBefore() const { return optionsBefore_; }
    const Configuration& OptionsAfter() const { return optionsAfter_; }
    const std::vector<RowChange>& BsemsRows() const { return bsemsRows_; }
    const std::vector<RowChange>& StimersRows() const { return stimersRows_; }

    // Takes over the options that `later`, made right after this one, ends with, so that both
    // are one edit. Only edits of options alone merge; false, with nothing changed, otherwise.
    bool Absorb(const DocumentEdit& later);

private:
    bool ChangesOptionsOnly() const;

    Configuration optionsBefore_;
    Configuration optionsAfter_;
    std::vector<RowChange> bsemsRows_;
    std::vector<RowChange> stimersRows_;
    std::uint64_t tablesEditBefore_;
    std::uint64_t tablesEditAfter_;
};

}  // namespace zurcfg
