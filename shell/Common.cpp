#include "shell/Common.h"

#include "platform/Inifile.h"
#include "shell/Exception.h"
#include "shell/Paths.h"
#include "shell/Stringtable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

TConfiguration Configuration;
TAppTables AppTables;

namespace {

bool LooksLikeDataTree(const QString& dir) {
    return !dir.isEmpty() && QFileInfo(dir + "/Bin").isDir();
}

QString DropTrailingSeparator(QString path) {
    if (path.size() > 1 && path.endsWith(QLatin1Char('/'))) path.chop(1);
    return path;
}

} // namespace

QString InstallDirectory() {
    const QString env = qEnvironmentVariable("VELMORA_HOME");
    if (!env.isEmpty()) return DropTrailingSeparator(env);
    if (QCoreApplication::instance()) {
        const QString app = QCoreApplication::applicationDirPath();
        for (const QString& c : {app + "/data", app + "/../data", app + "/../share/velmora"})
            if (LooksLikeDataTree(c)) return QDir::cleanPath(c);
    }
#ifdef VELMORA_SOURCE_DATA_DIR
    return QStringLiteral(VELMORA_SOURCE_DATA_DIR);
#else
    return QDir::currentPath() + "/data";
#endif
}

QString ConfigDirectory() {
    const QString env = qEnvironmentVariable("VELMORA_CONFIG_DIR");
    if (!env.isEmpty()) return DropTrailingSeparator(env);
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty()) base = QDir::homePath() + "/.config";
    return base + "/Velmora/8.2";
}

QString ConfigStoreFile() {
    return ConfigDirectory() + "/Velmora.ini";
}

bool WriteConfigValue(const QString& section, const QString& name, const QString& value) {
    TIniFile store(ConfigStoreFile());
    store.WriteString(section, name, value);
    return store.UpdateFile();
}

void LoadConfiguration() {
    Configuration.TempDir = DropTrailingSeparator(QDir::tempPath());
    const QString install = InstallDirectory();
    const TIniFile store(ConfigStoreFile());
    auto common = [&](const char* name, const QString& def) {
        return store.ReadString(QStringLiteral("Common"), QLatin1String(name), def);
    };
    auto directory = [&](const char* name, const QString& def) {
        return store.ReadString(QStringLiteral("Directory"), QLatin1String(name), def);
    };
    TConfiguration& c = Configuration;
    c.Language = common("Language", QStringLiteral("English"));
    c.DefaultFontName = common("DefaultFontName", QStringLiteral("MS Sans Serif"));
    c.Select = common("Select", QStringLiteral("READ"));
    c.Bin = directory("Bin", install + "/Bin");
    c.Color = directory("Color", install + "/Color");
    c.Texture = directory("Texture", install + "/Texture");
    c.TextileOpen = directory("TextileOpen", install);
    c.WeaveOpen = directory("WeaveOpen", install);
    c.KnitOpen = directory("KnitOpen", install);
    c.Style = directory("Style", install + "/Style");
    c.Treatment = directory("Treatment", install + "/Treatment");
    c.TREG_Size = common("TREG_Size", QStringLiteral("cstA4"));
    c.TUnits = common("TUnits", QStringLiteral("Cm"));
    // Plain concatenations, as the folder names are fixed below Bin.
    c.SettingsDir = c.Bin + "/Textile";
    c.UserSettingsDir = ConfigDirectory() + "/Textile";
}

QString SettingsFile(const QString& name) {
    const QString user = JoinPath(Configuration.UserSettingsDir, name);
    if (QFileInfo::exists(user)) return user;
    const QString shipped = JoinPath(Configuration.SettingsDir, name);
    if (QFileInfo(shipped).isFile()) {
        QDir().mkpath(Configuration.UserSettingsDir);
        const QString copy = Configuration.UserSettingsDir + QLatin1Char('/') + QFileInfo(shipped).fileName();
        if (QFile::copy(shipped, copy)) {
            QFile::setPermissions(copy,
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
            return copy;
        }
    }
    return user;
}

QString LanguageDirectory(const QString& folder) {
    return folder.isEmpty() ? Configuration.Bin : Configuration.Bin + QLatin1Char('/') + folder;
}

void LoadAppTables() {
    FreeAppTables();
    AppTables.Message = new TStringTable;
    AppTables.Common = new TStringTable;
    AppTables.Main = new TStringTable;
    AppTables.Message->Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("Message"));
    AppTables.Common->Load(LanguageDirectory(QString()), Configuration.Language, QStringLiteral("Common"));
    AppTables.Main->Load(Configuration.SettingsDir, Configuration.Language, QStringLiteral("Main"));
    SetMessageTable(AppTables.Message);
}

void FreeAppTables() {
    SetMessageTable(nullptr);
    delete AppTables.Message;
    delete AppTables.Common;
    delete AppTables.Main;
    AppTables = TAppTables{};
}

QString ProgramDirectory() {
    const TIniFile store(ConfigStoreFile());
    return store.ReadString(QStringLiteral("Directory"), QStringLiteral("Bin"), InstallDirectory() + "/Bin");
}
