// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include "qt_host/platform_plugins.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>
#include <QStringList>

#include <algorithm>

namespace {

void AddKeys(const QJsonObject& metaData, std::vector<std::string>& names)
{
    const QJsonArray keys =
        metaData.value(QStringLiteral("MetaData")).toObject().value(QStringLiteral("Keys")).toArray();
    for (const QJsonValue& key : keys) {
        const std::string name = key.toString().toLower().toStdString();
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
}

} // namespace

std::vector<std::string> InstalledPlatformPlugins(const std::string& pluginPath)
{
    static const QString kPlatformIid = QStringLiteral("org.qt-project.Qt.QPA.QPlatformIntegrationFactoryInterface");
    // The folders Qt searches: its own plugin folders (QT_PLUGIN_PATH among
    // them), QT_QPA_PLATFORM_PLUGIN_PATH and -platformpluginpath.
    QStringList folders;
    for (const QString& root : QCoreApplication::libraryPaths())
        folders << root + QStringLiteral("/platforms");
    for (const QString& extra :
         {qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH"), QString::fromStdString(pluginPath)})
        if (!extra.isEmpty())
            folders << extra;

    std::vector<std::string> names;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& file : dir.entryList(QDir::Files)) {
            const QJsonObject metaData = QPluginLoader(dir.absoluteFilePath(file)).metaData();
            if (metaData.value(QStringLiteral("IID")).toString().startsWith(kPlatformIid))
                AddKeys(metaData, names);
        }
    }
    for (const QStaticPlugin& plugin : QPluginLoader::staticPlugins())
        if (plugin.metaData().value(QStringLiteral("IID")).toString().startsWith(kPlatformIid))
            AddKeys(plugin.metaData(), names);
    std::sort(names.begin(), names.end());
    return names;
}
