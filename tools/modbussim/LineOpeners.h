#pragma once
// Who else has a terminal open: the kernel keeps a line's exclusive flag
// until the terminal's last opener closes it, which never happens to a
// pseudo-terminal the simulator itself holds.

namespace modbussim {

// True when a process has the terminal behind OwnFd open through any
// descriptor but OwnFd itself. A process of the terminal's owner whose
// descriptors cannot be read counts as having it open. Other users'
// processes, root's included, are not counted: an ordinary user always
// sees some of root's, and only the owner opens the terminal unprivileged.
bool OpenedElsewhere(int OwnFd);

}  // namespace modbussim
