#pragma once
// The reading of a converted entry, taken from the input method's pre-edit
// text: while the operator types, the pre-edit holds the kana as typed
// ("やまだ"); conversion replaces it by the chosen kanji ("山田") and the commit
// hands over only those. The last pre-edit made of kana alone is therefore
// the reading of what is committed.
#include <QString>

namespace vq::ui {

class PreeditReading {
public:
    // A pre-edit text of the composition under way.
    void preedit(const QString& text);
    // The composition ended with committed text: the reading to keep for it
    // (the last kana-only pre-edit, or the committed text when there was
    // none, as with the input method off). Starts the next composition afresh.
    QString commit(const QString& committed);
    void clear() { reading_.clear(); }

private:
    QString reading_;
};

// Only hiragana, katakana (full or half width) and the prolonged sound mark.
bool isKanaOnly(const QString& text);

} // namespace vq::ui
