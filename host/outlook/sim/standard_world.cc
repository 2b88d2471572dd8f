#include "host/outlook/sim/standard_world.h"

#include <string>

namespace quivra::outlook::sim {

namespace {

constexpr int kAppointmentItem = 1;
constexpr int kContactItem = 2;

// "<folder> mail <n>".
std::string Subject(const std::string& folder, int n) {
  std::string subject = folder;
  subject.append(" mail ").append(std::to_string(n));
  return subject;
}

void AddMail(const SimFolder& folder, int count) {
  for (int i = 1; i <= count; ++i) {
    folder.AddItem(ItemKind::kMail, Subject(folder.name(), i));
  }
}

}  // namespace

StandardWorld::StandardWorld(Language language) {
  const bool german = language == Language::kGerman;
  mailbox = outlook.AddStore(german ? "Postfach" : "Mailbox");
  inbox = mailbox.AddFolder(german ? "Posteingang" : "Inbox");
  drafts = mailbox.AddFolder(german ? "Entw\xC3\xBCrfe" : "Drafts");
  sent_items = mailbox.AddFolder(german ? "Gesendete Elemente" : "Sent Items");
  deleted_items = mailbox.AddFolder(german ? "Gel\xC3\xB6schte Elemente" : "Deleted Items");
  outbox = mailbox.AddFolder(german ? "Postausgang" : "Outbox");
  junk_email = mailbox.AddFolder(german ? "Junk-E-Mail" : "Junk E-mail");
  calendar = mailbox.AddFolder(german ? "Kalender" : "Calendar", kAppointmentItem);
  contacts = mailbox.AddFolder(german ? "Kontakte" : "Contacts", kContactItem);
  projects = mailbox.AddFolder("Projects");
  alpha = projects.AddFolder("Alpha");
  beta = projects.AddFolder("Beta");
  specs = beta.AddFolder("Specs");

  outlook.SetDefaultFolder(kFolderInbox, inbox);
  outlook.SetDefaultFolder(kFolderDrafts, drafts);
  outlook.SetDefaultFolder(kFolderSentMail, sent_items);
  outlook.SetDefaultFolder(kFolderDeletedItems, deleted_items);
  outlook.SetDefaultFolder(kFolderOutbox, outbox);
  outlook.SetDefaultFolder(kFolderCalendar, calendar);
  outlook.SetDefaultFolder(kFolderContacts, contacts);
  // The default folders answer another EntryID when reached as default folders, through an
  // explorer or as a parent than when reached by name.
  for (const SimFolder& folder :
       {inbox, drafts, sent_items, deleted_items, outbox, calendar, contacts}) {
    folder.AddSecondEntryId();
  }

  archive = outlook.AddStore("Archive");
  archive_deleted_items = archive.AddFolder("Deleted Items");
  outlook.SetDeletedItems(archive_deleted_items);
  archive_2023 = archive.AddFolder("2023");
  archive_2024 = archive.AddFolder("2024");
  archive_projects = archive.AddFolder("Projects");
  archive_alpha = archive_projects.AddFolder("Alpha");

  // Four senders take turns, one of them an Exchange sender with its X.500 address.
  static constexpr const char* kSenders[] = {
      "ann@contoso.example", "bob@fabrikam.example", "carol@contoso.example",
      "/o=Contoso/ou=Exchange Administrative Group (FYDIBOHF23SPDLT)/cn=Recipients/cn=dave"};
  for (int i = 1; i <= 20; ++i) {
    inbox_mail.push_back(inbox.AddItem(ItemKind::kMail, Subject("Inbox", i)));
    inbox_mail.back().SetSender(kSenders[(i - 1) % 4]);
  }
  meeting = inbox.AddItem(ItemKind::kMeeting, "Planning meeting");
  report = inbox.AddItem(ItemKind::kReport, "Delivery report");
  task_request = inbox.AddItem(ItemKind::kTaskRequest, "Task request");
  post = inbox.AddItem(ItemKind::kPost, "Posted note");
  contact = inbox.AddItem(ItemKind::kContact, "Contact card");
  appointment = calendar.AddItem(ItemKind::kAppointment, "Dentist");

  AddMail(drafts, 2);
  AddMail(sent_items, 4);
  AddMail(deleted_items, 2);
  AddMail(junk_email, 1);
  AddMail(projects, 1);
  AddMail(alpha, 3);
  AddMail(beta, 1);
  AddMail(specs, 2);
  AddMail(archive_2023, 3);
  AddMail(archive_2024, 2);
  AddMail(archive_alpha, 1);

  if (german) {
    for (const char* name : {"Einstellungen f\xC3\xBCr Unterhaltungsaktionen",
                             "Einstellungen f\xC3\xBCr QuickSteps", "Newsfeed"}) {
      SimFolder own = mailbox.AddFolder(name);
      own.SetHidden(true);
      outlook_own_folders.push_back(own);
    }
    SimFolder sync_issues = mailbox.AddFolder("Synchronisierungsprobleme");
    const SimFolder sync_folders[] = {sync_issues, sync_issues.AddFolder("Konflikte"),
                                      sync_issues.AddFolder("Lokale Fehler"),
                                      sync_issues.AddFolder("Serverfehler")};
    const int sync_kinds[] = {kFolderSyncIssues, kFolderConflicts, kFolderLocalFailures,
                              kFolderServerFailures};
    for (int i = 0; i < 4; ++i) {
      outlook.SetDefaultFolder(sync_kinds[i], sync_folders[i]);
      sync_folders[i].AddSecondEntryId();
    }
    outlook_own_folders.push_back(sync_issues);
  }

  explorer = outlook.AddExplorer(inbox);
}

}  // namespace quivra::outlook::sim
