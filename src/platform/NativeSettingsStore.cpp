#include "platform/NativeSettingsStore.h"

#include <QByteArray>
#include <QFile>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>

#include "core/common/Error.h"

namespace trovique {
namespace {

QString ToQt(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromQt(const QString& text) {
    return text.toStdString();
}

// QSettings reads "/" and "\" in a key as group separators and keeps no empty key, so value
// names are escaped: "%" "/" "\" become "%25" "%2F" "%5C", and the empty name is a lone "%",
// which the escaping never produces otherwise.
QString EscapeKey(const std::string& key) {
    if (key.empty()) {
        return QStringLiteral("%");
    }
    QString escaped;
    for (const QChar c : ToQt(key)) {
        if (c == u'%') {
            escaped += QStringLiteral("%25");
        } else if (c == u'/') {
            escaped += QStringLiteral("%2F");
        } else if (c == u'\\') {
            escaped += QStringLiteral("%5C");
        } else {
            escaped += c;
        }
    }
    return escaped;
}

// The character a three-letter escape stands for, or nothing.
std::optional<QChar> Unescaped(const QString& code) {
    if (code == QStringLiteral("%25")) {
        return u'%';
    }
    if (code == QStringLiteral("%2F")) {
        return u'/';
    }
    if (code == QStringLiteral("%5C")) {
        return u'\\';
    }
    return std::nullopt;
}

std::string UnescapeKey(const QString& key) {
    if (key == QStringLiteral("%")) {
        return {};
    }
    QString plain;
    for (qsizetype at = 0; at < key.size(); ++at) {
        if (const auto c = Unescaped(key.mid(at, 3).toUpper())) {
            plain += *c;
            at += 2;
        } else {
            plain += key[at];
        }
    }
    return FromQt(plain);
}

// Section paths use "\" like registry paths; QSettings groups use "/".
QString GroupPath(const std::string& section) {
    QString group = ToQt(section);
    group.replace(u'\\', u'/');
    return group;
}

std::unique_ptr<QSettings> Open(const std::string& organisation, const std::string& application) {
    std::unique_ptr<QSettings> settings;
#if defined(Q_OS_WIN)
    // The registry wrapper names its roots as applications: there they are the registry itself.
    if (application.rfind("HKEY_", 0) == 0) {
        settings = std::make_unique<QSettings>(ToQt(application), QSettings::NativeFormat);
    }
#endif
    if (!settings) {
        settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                               ToQt(organisation), ToQt(application));
    }
    // Only this application's own values: no organisation-wide or system-wide ones mixed in.
    settings->setFallbacksEnabled(false);
    return settings;
}

// QSettings rewrites a file it could not fully read with only what it understood. So the first
// time a damaged file is read, it is copied to "<file>.damaged" before anything can be written
// over it, and no hand-made entry is lost for good.
void KeepDamagedCopy(QSettings& settings) {
    (void)settings.allKeys();  // QSettings reads a section, and notices damage, on first use
    if (settings.status() != QSettings::FormatError) {
        return;
    }
    const QString file = settings.fileName();
    const QString copy = file + QStringLiteral(".damaged");
    QFile::remove(copy);
    if (!QFile::copy(file, copy)) {
        throw CError(
            kErrPathFileAccess, "NativeSettingsStore",
            "The settings file " + FromQt(file) + " is damaged and no copy of it could be kept.");
    }
}

// Opens the section's group for reading or writing.
class Section {
public:
    Section(const std::string& organisation, const std::string& application,
            const std::string& section)
        : settings_(Open(organisation, application)) {
        KeepDamagedCopy(*settings_);
        const QString group = GroupPath(section);
        if (!group.isEmpty()) {
            settings_->beginGroup(group);
        }
    }
    QSettings& operator*() const { return *settings_; }
    QSettings* operator->() const { return settings_.get(); }

    // Writes the changes out now and raises when they could not be saved.
    void Save() {
        settings_->sync();
        if (settings_->status() == QSettings::AccessError) {
            throw CError(
                kErrPathFileAccess, "NativeSettingsStore",
                "The settings could not be saved to " + FromQt(settings_->fileName()) + ".");
        }
    }

private:
    std::unique_ptr<QSettings> settings_;
};

SettingValue FromVariant(const QVariant& value) {
    switch (value.metaType().id()) {
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
        }
        case QMetaType::QStringList:
            // A hand-edited INI value with bare commas reads as a list.
            return FromQt(value.toStringList().join(u','));
        case QMetaType::Int:
        case QMetaType::LongLong:
            // A registry number read as signed: its 32 bits are the stored number.
            return static_cast<std::uint32_t>(value.toLongLong());
        case QMetaType::UInt:
        case QMetaType::ULongLong:
            return static_cast<std::uint32_t>(value.toULongLong());
        default:
            return FromQt(value.toString());
    }
}

QVariant ToVariant(const SettingValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return ToQt(*text);
    }
    if (const auto* number = std::get_if<std::uint32_t>(&value)) {
        return QVariant::fromValue(static_cast<uint>(*number));
    }
    const auto& bytes = std::get<std::vector<std::uint8_t>>(value);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

}  // namespace

NativeSettingsStore::NativeSettingsStore(std::string organisation)
    : organisation_(std::move(organisation)) {}

std::optional<std::string> NativeSettingsStore::Get(const std::string& application,
                                                    const std::string& section,
                                                    const std::string& key) const {
    auto value = GetValue(application, section, key);
    return value ? std::optional<std::string>(SettingText(*value)) : std::nullopt;
}

std::optional<SettingValue> NativeSettingsStore::GetValue(const std::string& application,
                                                          const std::string& section,
                                                          const std::string& key) const {
    Section settings(organisation_, application, section);
    const QString name = EscapeKey(key);
    if (!settings->contains(name)) {
        return std::nullopt;
    }
    return FromVariant(settings->value(name));
}

void NativeSettingsStore::Set(const std::string& application, const std::string& section,
                              const std::string& key, const std::string& value) {
    SetValue(application, section, key, value);
}

void NativeSettingsStore::SetValue(const std::string& application, const std::string& section,
                                   const std::string& key, const SettingValue& value) {
    Section settings(organisation_, application, section);
    settings->setValue(EscapeKey(key), ToVariant(value));
    settings.Save();
}

void NativeSettingsStore::Delete(const std::string& application, const std::string& section,
                                 const std::string& key) {
    Section settings(organisation_, application, section);
    if (key.empty()) {
        // Within the section's group an empty name removes the whole group.
        settings->remove(QString());
    } else {
        settings->remove(EscapeKey(key));
    }
    settings.Save();
}

std::vector<std::pair<std::string, std::string>> NativeSettingsStore::Values(
    const std::string& application, const std::string& section) const {
    Section settings(organisation_, application, section);
    std::vector<std::pair<std::string, std::string>> values;
    for (const QString& name : settings->childKeys()) {
        values.emplace_back(UnescapeKey(name), SettingText(FromVariant(settings->value(name))));
    }
    return values;
}

std::vector<std::string> NativeSettingsStore::SubKeys(const std::string& application,
                                                      const std::string& section) const {
    Section settings(organisation_, application, section);
    std::vector<std::string> names;
    for (const QString& name : settings->childGroups()) {
        names.push_back(FromQt(name));
    }
    return names;
}

std::string NativeSettingsStore::Location(const std::string& application) const {
    return FromQt(Open(organisation_, application)->fileName());
}

}  // namespace trovique
