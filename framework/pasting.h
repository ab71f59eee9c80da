// Framework-internal: what comes into a text from outside, by a paste or a
// drop, in both text widgets.
#pragma once

#include <QClipboard>
#include <QString>

namespace fw {

// The clipboard's text, asked for once per paste. The clipboard belongs to
// another program, which may answer once and leave, answer late, or never;
// whatever it does, this gives its text or an empty one. Qt's own paste
// asks again after the Edit menu's enabling has asked, and reads a null
// pointer when the owner has left in between. The formats are asked first
// because an owner that never answers then costs Qt's wait once, not once
// for each text format Qt would try.
QString ClipboardText(QClipboard::Mode mode);

// A pasted or dropped text as the field will show it, so that what the
// field holds is what it shows. Format characters (zero-width spaces and
// joiners, direction marks, the byte-order mark; text from web pages and
// PDFs carries them) show nothing, so they are dropped; every space
// separator (a no-break space, a thin space) becomes an ordinary space,
// which Val skips as it does at the start. In a one-line field each line
// break and each other control character but the tab becomes a space too.
QString Incoming(const QString& text, bool oneLine);

}  // namespace fw
