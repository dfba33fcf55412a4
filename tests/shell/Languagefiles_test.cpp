// Every language table the program loads has text in each of its entries in the
// shipped English files, and every entry it asks for by a number written in its
// source lies inside its table. The calls are read from the source tree, so a new
// window is checked as it is written.
#include "shell/Stringtable.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <map>

namespace {

struct TTable {
    QString Folder, Section;
};

// Language folder of a directory expression: LanguageDirectory("Carpet") is Bin/Carpet,
// LanguageDirectory(QString()) Bin, and Configuration.SettingsDir Bin/Textile.
QString FolderOf(const QString& directory, const QString& literal) {
    return directory.startsWith(QLatin1String("Configuration.SettingsDir")) ? QStringLiteral("Textile")
                                                                            : literal;
}

class LanguageFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* folder :
             {"app", "cli", "colour", "platform", "raster", "shell", "textile", "tools"}) {
            QDirIterator it(QStringLiteral(VELMORA_SOURCE_DIR "/") + folder, {"*.cpp", "*.h"}, QDir::Files);
            while (it.hasNext()) {
                QFile file(it.next());
                if (file.open(QIODevice::ReadOnly))
                    Sources[file.fileName()] = QString::fromUtf8(file.readAll());
            }
        }
        // Tables the whole program shares ("AppTables.Main") are named the same in every file.
        for (const auto& [name, text] : Sources)
            for (const auto& [variable, table] : Loads(text))
                if (variable.startsWith(QLatin1String("AppTables."))) Shared[variable] = table;
    }

    // "variable.Load(directory, Configuration.Language, QStringLiteral("Section"))" in a file.
    static std::map<QString, TTable> Loads(const QString& text) {
        static const QRegularExpression load(
            R"re(([\w.]+)\s*(?:\.|->)\s*Load\(\s*(LanguageDirectory\((?:QStringLiteral\("(\w*)"\)|QString\(\))\)|)re"
            R"re(Configuration\.SettingsDir)\s*,\s*Configuration\.Language\s*,\s*QStringLiteral\("(\w+)"\)\s*\))re");
        std::map<QString, TTable> loads;
        for (const auto& m : load.globalMatch(text))
            loads[m.captured(1)] = {FolderOf(m.captured(2), m.captured(3)), m.captured(4)};
        return loads;
    }

    static TStringTable Table(const TTable& t) {
        QString dir = QStringLiteral(VELMORA_SOURCE_DATA_DIR "/Bin");
        if (!t.Folder.isEmpty()) dir += QLatin1Char('/') + t.Folder;
        TStringTable table;
        table.Load(dir, QStringLiteral("English"), t.Section);
        return table;
    }

    std::map<QString, QString> Sources; // path -> text
    std::map<QString, TTable> Shared;
};

} // namespace

TEST_F(LanguageFiles, EveryTableAndNumberedEntryTheProgramAsksForHasText) {
    // "table.Get(12)", "table->Get(kName)" and the first of "table.Get(26 + i)".
    static const QRegularExpression get(R"re(([\w.]+)\s*(?:\.|->)\s*Get\(\s*(\w+)\s*[)+])re");
    static const QRegularExpression constant(R"re(\b(k\w+)\s*=\s*(\d+)\b)re");
    static const QRegularExpression alias(R"re(TStringTable\s*[&*]\s*(\w+)\s*=\s*\*?\s*(AppTables\.\w+))re");
    int tables = 0, entries = 0;
    for (const auto& [path, text] : Sources) {
        std::map<QString, TTable> known = Loads(text);
        // Whole tables: entries asked for in loops or through a helper are among these.
        for (const auto& [variable, table] : known) {
            const TStringTable t = Table(table);
            EXPECT_GT(t.Count(), 0) << qPrintable(path) << ": " << qPrintable(table.Section);
            for (int i = 0; i < t.Count(); ++i)
                EXPECT_FALSE(t.Get(i).isEmpty())
                    << qPrintable(table.Folder + '/' + table.Section) << " " << i;
            ++tables;
        }
        for (const auto& m : alias.globalMatch(text))
            if (Shared.count(m.captured(2))) known[m.captured(1)] = Shared[m.captured(2)];
        for (const auto& [variable, table] : Shared)
            known.emplace(variable, table);
        std::map<QString, int> constants;
        for (const auto& m : constant.globalMatch(text))
            constants[m.captured(1)] = m.captured(2).toInt();
        for (const auto& m : get.globalMatch(text)) {
            const auto table = known.find(m.captured(1));
            if (table == known.end()) continue; // a table handed in from elsewhere
            bool literal = false;
            int index = m.captured(2).toInt(&literal);
            if (!literal) {
                const auto c = constants.find(m.captured(2));
                if (c == constants.end()) continue; // an index worked out at run time
                index = c->second;
            }
            const TTable& t = table->second;
            EXPECT_FALSE(Table(t).Get(index).isEmpty())
                << qPrintable(path) << ": " << qPrintable(t.Folder + '/' + t.Section) << " " << index;
            ++entries;
        }
    }
    // The scan itself must find the program's calls, or the check above proves nothing.
    EXPECT_GE(tables, 15);
    EXPECT_GE(entries, 100);
}
