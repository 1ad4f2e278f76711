#pragma once

#include <QString>
#include <QWidget>
#include <filesystem>
#include <functional>

namespace trovique::guitest {

// Runs action on the next modal window that opens, once it shows; polls every 10 ms for up to
// five seconds, so that a test waiting in exec() is never stuck for longer.
void OnNextModal(std::function<void(QWidget*)> action);
// Clicks the button named objectName in the next modal window.
void ClickInNextModal(const QString& objectName);

// The folder of the built programs and palette files.
std::filesystem::path BinDir();

}  // namespace trovique::guitest
