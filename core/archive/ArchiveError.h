#pragma once
// An archive error of our own checks, with its own text: the library's exception keeps
// no text for the code "other_exception" ("unknown derived exception").
#include <algorithm>
#include <string>

#include <boost/archive/archive_exception.hpp>

class CArchiveCheckError : public boost::archive::archive_exception {
public:
    explicit CArchiveCheckError(const char* text)
        : boost::archive::archive_exception(boost::archive::archive_exception::other_exception), m_sText(text)
    {
    }
    const char* what() const noexcept override { return m_sText.c_str(); }

private:
    std::string m_sText;
};

[[noreturn]] inline void ThrowArchiveError(const char* text)
{
    throw CArchiveCheckError(text);
}

// True when any of the lists holds an empty pointer: a crafted file must not slip in a
// hole where every entry is used.
template <class... Lists>
bool AnyHole(const Lists&... lists)
{
    return (std::any_of(lists.begin(), lists.end(), [](const auto& p) { return !p; }) || ...);
}
