#pragma once

#include <QString>

class SettingsStore;
struct Settings;

/// The section name of base within the current page: "%d\%s".
QString PageSection(const Settings& settings, const QString& base);

/// Select, the six titles, MYCALLs and MYQTHs of the page-independent section "Contents".
void LoadContents(Settings& settings, SettingsStore& store);
void SaveContents(Settings& settings, SettingsStore& store);

/// The main window's size and zoom, in the section "Desktop" of their own, outside every page.
void LoadDesktop(Settings& settings, SettingsStore& store);
void SaveDesktop(Settings& settings, SettingsStore& store);

/// Every page section of the current page, in order, with the range checks applied on reading.
void LoadPageSettings(Settings& settings, SettingsStore& store);
/// Writes every page section of the current page; the speed is the one the WPM box shows.
void SavePageSettings(Settings& settings, SettingsStore& store, int wpmFromBox);
