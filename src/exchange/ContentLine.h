#pragma once

#include <QByteArrayView>
#include <optional>

namespace almanis {

// One unfolded content line of an iCalendar or vCard file,
// "group.NAME;PARAM=a;OTHER=\"b;c\":value", as views into the line's bytes.
struct ContentLine {
    QByteArrayView name;        // without its group ("BDAY" of "item1.BDAY")
    QByteArrayView parameters;  // between the name and the colon, without the first ';'
    QByteArrayView value;       // everything after the first colon outside quotes

    // Names and parameter keys compare in any letter case, as both formats say.
    bool isNamed(QByteArrayView upperName) const;

    // Whether the line is "BEGIN:<component>", or "END:<component>", in any letter case.
    bool isBegin(QByteArrayView upperComponent) const;
    bool isEnd(QByteArrayView upperComponent) const;

    // The value of the parameter `key` ("CHARSET" of "CHARSET=UTF-8"), without its
    // quotes; empty when the line has no such parameter.
    QByteArrayView parameter(QByteArrayView key) const;

    // Whether values are quoted-printable: "ENCODING=QUOTED-PRINTABLE", or the
    // bare "QUOTED-PRINTABLE" that vCard 2.1 allows.
    bool isQuotedPrintable() const;
};

// The parts of a line; nothing when it has no name or no colon.
std::optional<ContentLine> parseContentLine(QByteArrayView line);

}  // namespace almanis
