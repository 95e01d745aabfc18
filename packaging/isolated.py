# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
"""Runs the project's programs for their --help and --version in a network
namespace of their own when the system allows one (as root, or in a user
namespace), so that not even a fault in their option parsing could reach a
network; elsewhere (a packager's sandbox has no network anyway) as they are."""
import functools
import subprocess


@functools.lru_cache(maxsize=None)
def _prefix():
    for prefix in (["unshare", "--net"], ["unshare", "--map-root-user", "--net"]):
        try:
            if subprocess.run(prefix + ["true"], capture_output=True, check=False).returncode == 0:
                return tuple(prefix)
        except OSError:
            break
    return ()


def isolated(argv):
    """argv, run in a network namespace of its own where one can be made."""
    return list(_prefix()) + list(argv)
