// TFTPSettingsForm and THTTPSettingsForm: edit one site of ftp.ini or http.ini.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <string>

#include "common/qt/Prompts.h"

namespace quillcast {

class TFTPSettingsForm : public QDialog {
  Q_OBJECT

 public:
  TFTPSettingsForm(std::string file, Prompts& prompts, QWidget* parent = nullptr);

  QString SiteName;
  void LoadSite();
  // Writes the record under the name typed; false (nothing written) when the user does not
  // want an existing site overwritten. Raises "Unable to write to %s".
  bool SaveSite();

  QLineEdit* site_edit() const { return site_; }
  QLineEdit* host_edit() const { return host_; }
  QSpinBox* port_edit() const { return port_; }
  QCheckBox* passive_box() const { return passive_; }
  QLineEdit* username_edit() const { return username_; }
  QLineEdit* password_edit() const { return password_; }
  QLineEdit* filename_edit() const { return filename_; }
  QPushButton* ok_button() const { return ok_button_; }

 private:
  std::string file_;
  Prompts& prompts_;
  QLineEdit* site_;
  QLineEdit* host_;
  QSpinBox* port_;
  QCheckBox* passive_;
  QLineEdit* username_;
  QLineEdit* password_;
  QLineEdit* filename_;
  QPushButton* ok_button_;
};

class THTTPSettingsForm : public QDialog {
  Q_OBJECT

 public:
  THTTPSettingsForm(std::string file, Prompts& prompts, QWidget* parent = nullptr);

  QString SiteName;
  void LoadSite();
  bool SaveSite();

  QLineEdit* site_edit() const { return site_; }
  QLineEdit* url_edit() const { return url_; }
  QPushButton* ok_button() const { return ok_button_; }

 private:
  std::string file_;
  Prompts& prompts_;
  QLineEdit* site_;
  QLineEdit* url_;
  QPushButton* ok_button_;
};

// Show the dialog for the site of that name (the provisional name adds a site).
void EditFTPSite(const std::string& file, const QString& name, Prompts& prompts, QWidget* parent);
void EditHTTPSite(const std::string& file, const QString& name, Prompts& prompts, QWidget* parent);
void DeleteFTPSite(const std::string& file, const QString& name);
void DeleteHTTPSite(const std::string& file, const QString& name);

}  // namespace quillcast
