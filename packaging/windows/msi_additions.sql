# What the package needs beyond what wixl writes: one query per line, run by
# msibuild on the built package.
#
# kestal-convert.exe on the PATH: appended to the machine's PATH by a
# per-machine installation, to the user's by a per-user one, and taken out
# again on removal.
UPDATE `Component` SET `Condition` = 'ALLUSERS' WHERE `Component` = 'PathForAll'
UPDATE `Component` SET `Condition` = 'NOT ALLUSERS' WHERE `Component` = 'PathForUser'
CREATE TABLE `Environment` (`Environment` CHAR(72) NOT NULL, `Name` CHAR(255) NOT NULL LOCALIZABLE, `Value` CHAR(255) LOCALIZABLE, `Component_` CHAR(72) NOT NULL PRIMARY KEY `Environment`)
INSERT INTO `Environment` (`Environment`, `Name`, `Value`, `Component_`) VALUES ('PathForAll', '=-*Path', '[~];[INSTALLDIR]', 'PathForAll')
INSERT INTO `Environment` (`Environment`, `Name`, `Value`, `Component_`) VALUES ('PathForUser', '=-Path', '[~];[INSTALLDIR]', 'PathForUser')
INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('RemoveEnvironmentStrings', 3300)
INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('WriteEnvironmentStrings', 5200)
# A per-user installation goes to the user's local application data, where
# Windows puts per-user programs, whichever Windows Installer runs it.
INSERT INTO `CustomAction` (`Action`, `Type`, `Source`, `Target`) VALUES ('PerUserFolder', 51, 'INSTALLDIR', '[LocalAppDataFolder]Programs\Kestal\')
INSERT INTO `InstallExecuteSequence` (`Action`, `Condition`, `Sequence`) VALUES ('PerUserFolder', 'NOT ALLUSERS', 990)
INSERT INTO `InstallUISequence` (`Action`, `Condition`, `Sequence`) VALUES ('PerUserFolder', 'NOT ALLUSERS', 990)
# Programs and Features names the folder the programs went to.
INSERT INTO `CustomAction` (`Action`, `Type`, `Source`, `Target`) VALUES ('InstallLocation', 51, 'ARPINSTALLLOCATION', '[INSTALLDIR]')
INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('InstallLocation', 1010)
