#pragma once
// Reading an XML archive safely: the body, then the rest of the stream, which must be
// the archive's closing tag and blanks. The library would read that tag in its
// destructor, which cannot report a truncated or padded file; our archive leaves it here.

#include <istream>
#include <iterator>
#include <string>

#include <boost/archive/archive_exception.hpp>

#include "core/archive/CheckedIArchive.h"

template <class Body>
void ReadXmlArchive(std::istream& is, Body&& body)
{
    CXmlIArchive ar(is);
    body(ar);
    const std::istream::pos_type pos = is.tellg();
    std::string rest((std::istreambuf_iterator<char>(is)), std::istreambuf_iterator<char>());
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    size_t b = 0;
    while (b < rest.size() && isBlank(rest[b]))
        ++b;
    size_t e = rest.size();
    while (e > b && isBlank(rest[e - 1]))
        --e;
    if (pos == std::istream::pos_type(-1) || rest.compare(b, e - b, "</boost_serialization>") != 0)
        throw boost::archive::archive_exception(boost::archive::archive_exception::input_stream_error,
                                                "unexpected end of XML archive");
}
