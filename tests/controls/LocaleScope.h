#pragma once
// Sets the user's locale for one test and puts the previous one back.
#include <QLocale>

namespace qeltest {

class LocaleScope {
public:
    explicit LocaleScope(const QLocale& locale) { QLocale::setDefault(locale); }
    LocaleScope(QLocale::Language lang, QLocale::Territory territory) : LocaleScope(QLocale(lang, territory)) {}
    ~LocaleScope() { QLocale::setDefault(m_old); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

private:
    QLocale m_old;
};

inline const QLocale kEnglishUS(QLocale::English, QLocale::UnitedStates);
inline const QLocale kGerman(QLocale::German, QLocale::Germany);

} // namespace qeltest
