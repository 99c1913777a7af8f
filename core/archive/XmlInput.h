#pragma once
// Reading an XML archive safely. The XML input archive reads its closing tag in its
// destructor, and a destructor cannot throw: a truncated or padded file would end the
// program. So the body is read first and the rest of the stream is checked while the
// archive is still alive; a bad end throws from here, and the destructor then skips
// its own check.

#include <istream>
#include <iterator>
#include <string>

#include <boost/archive/archive_exception.hpp>
#include <boost/archive/xml_iarchive.hpp>

template <class Body>
void ReadXmlArchive(std::istream& is, Body&& body)
{
    boost::archive::xml_iarchive ar(is);
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
    is.clear();
    is.seekg(pos);
}
