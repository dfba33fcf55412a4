// stripe: a stripe file laid over a whole design at an angle, as the Stripe tool's Whole.
#include "textile/Stripe.h"
#include "Commands.h"
#include "shell/Exception.h"
#include "shell/Tdocument.h"
#include "textile/Stripefile.h"

#include <QFileInfo>
#include <cstdio>

int CommandStripe(const QStringList& input) {
    QStringList args = input;
    QString angleText;
    if (!TakeOption(args, "--angle", angleText) || args.size() != 3 || angleText.isEmpty()) {
        std::fputs("usage: velmora-cli stripe FILE.stp DESIGN OUT --angle DEGREES\n", stderr);
        return 2;
    }
    bool ok = false;
    const int angle = angleText.toInt(&ok);
    if (!ok) return Fail(ErrorCode::NotANumber, angleText);
    if (InputMissing(args[0]) || InputMissing(args[1])) return 1;
    TDocument doc;
    const QFileInfo in(args[1]), out(args[2]);
    QString detail;
    if (const uint32_t code = doc.Open(in.absolutePath(), in.fileName(), 0, 0, &detail))
        return Fail(code, detail.isEmpty() ? args[1] : args[1] + QStringLiteral(": ") + detail);
    TStripeList list;
    if (const uint32_t code = LoadStripeFile(args[0], doc, list)) return Fail(code, args[0]);
    doc.AttachUndo();
    // Angles are whole turns apart from their remainder: 390 lays as 30.
    if (const uint32_t code = StripeWhole(doc, BuildSequence(list), angle % 360, HighestStripeColour(list)))
        return Fail(code);
    if (const uint32_t code = doc.Save(out.absolutePath(), out.fileName(), 2, 0)) return Fail(code, args[2]);
    return 0;
}
