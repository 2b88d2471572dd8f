#ifndef QUIVRA_HOST_OUTLOOK_SIM_STANDARD_WORLD_H_
#define QUIVRA_HOST_OUTLOOK_SIM_STANDARD_WORLD_H_

#include <vector>

#include "host/outlook/sim/sim_outlook.h"

namespace quivra::outlook::sim {

// The Outlook most tests and benchmarks start from: two stores, a mailbox and an archive, with
// the usual special folders, a project tree, a few dozen items of every kind and one explorer
// showing the Inbox with nothing selected.
//
//   Mailbox (default store)           Archive
//     Inbox          20 mails, then     Deleted Items
//                    meeting, report,   2023           3 mails
//                    task request,      2024           2 mails
//                    post, contact      Projects
//     Drafts         2 mails              Alpha        1 mail
//     Sent Items     4 mails
//     Deleted Items  2 mails
//     Outbox
//     Junk E-mail    1 mail
//     Calendar       appointment folder, 1 appointment
//     Contacts       contact folder
//     Projects       1 mail
//       Alpha        3 mails
//       Beta         1 mail
//         Specs      2 mails
//
// The mailbox's default folders (Inbox, Drafts, Sent Items, Deleted Items, Outbox, Calendar,
// Contacts, and the synchronisation folders in German) each have a second EntryID, which the
// product sees when it reaches them other than by name (SimFolder::AddSecondEntryId).
//
// In German the same folders carry the names a German Outlook gives them (Posteingang,
// Entwürfe, ...; the store is "Postfach", the project folders keep their names), and the
// mailbox also holds what such an Outlook keeps for itself: three folders it marks hidden
// (PR_ATTR_HIDDEN) and Synchronisierungsprobleme with its three subfolders, the default
// synchronisation folders.
enum class Language { kEnglish, kGerman };

struct StandardWorld {
  explicit StandardWorld(Language language = Language::kEnglish);

  SimOutlook outlook;

  SimFolder mailbox;
  SimFolder inbox;
  SimFolder drafts;
  SimFolder sent_items;
  SimFolder deleted_items;
  SimFolder outbox;
  SimFolder junk_email;
  SimFolder calendar;
  SimFolder contacts;
  SimFolder projects;
  SimFolder alpha;
  SimFolder beta;
  SimFolder specs;

  SimFolder archive;
  SimFolder archive_deleted_items;
  SimFolder archive_2023;
  SimFolder archive_2024;
  SimFolder archive_projects;
  SimFolder archive_alpha;

  // The Inbox's mail items, oldest first; the five items of other kinds follow them there.
  std::vector<SimItem> inbox_mail;
  SimItem meeting;
  SimItem report;
  SimItem task_request;
  SimItem post;
  SimItem contact;
  SimItem appointment;  // in Calendar

  SimExplorer explorer;  // on the Inbox, active

  // German only: the folders Outlook keeps for itself.
  std::vector<SimFolder> outlook_own_folders;
};

}  // namespace quivra::outlook::sim

#endif  // QUIVRA_HOST_OUTLOOK_SIM_STANDARD_WORLD_H_
