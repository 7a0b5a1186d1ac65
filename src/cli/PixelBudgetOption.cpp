#include "cli/PixelBudgetOption.h"

#include "cli/CliCommand.h"
#include "platform/framefiles/PixelBudget.h"

namespace lumetra::cli {

void takePixelBudgetOption(QStringList &args)
{
    static const QString Name = QStringLiteral("--max-pixels");
    for (qsizetype i = 0; i < args.size();) {
        QString value;
        if (args[i] == Name) {
            if (i + 1 >= args.size())
                throw CliError(QStringLiteral("--max-pixels needs a number of pixels"));
            value = args[i + 1];
            args.remove(i, 2);
        } else if (args[i].startsWith(Name + u'=')) {
            value = args[i].mid(Name.size() + 1);
            args.remove(i);
        } else {
            ++i;
            continue;
        }
        bool ok = false;
        const qlonglong pixels = value.toLongLong(&ok);
        if (!ok || pixels <= 0)
            throw CliError(QStringLiteral("--max-pixels: '%1' is not a positive number of pixels").arg(value));
        setPixelBudget(pixels);
    }
}

} // namespace lumetra::cli
