#!/usr/bin/python3
"""Builds the Debian package with CPack and inspects it.

    package_checks.py CPACK BUILD VERSION

Runs `cpack -G DEB` into a temporary folder (the build folder keeps no
package), then checks the file name, the control fields, the contents, that
the binary is stripped, and, when lintian is installed, that lintian reports
no error. Exits 77 (skipped) when cpack's Debian tools are missing.
"""
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)
    return ok


def output(args, **kwargs):
    return subprocess.run(args, check=True, stdout=subprocess.PIPE, text=True, **kwargs).stdout


def main(cpack, build, version):
    for tool in ("dpkg-deb", "dpkg-shlibdeps", "readelf"):
        if not shutil.which(tool):
            print("skipped: %s is not installed (packages cmake, dpkg-dev, binutils)" % tool)
            sys.exit(SKIP)
    arch = output(["dpkg", "--print-architecture"]).strip()
    with tempfile.TemporaryDirectory() as out:
        result = subprocess.run([cpack, "-G", "DEB", "-B", out, "--config",
                                 os.path.join(build, "CPackConfig.cmake")],
                                cwd=build, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        print(result.stdout)
        if not check(result.returncode == 0, "cpack -G DEB succeeds"):
            sys.exit(1)
        debs = glob.glob(os.path.join(out, "*.deb"))
        name = "velmora_%s_%s.deb" % (version, arch)
        if not check([os.path.basename(d) for d in debs] == [name], "one package, %s (found %s)" % (name, debs)):
            sys.exit(1)
        deb = debs[0]
        print(output(["dpkg-deb", "--info", deb]))

        field = lambda f: output(["dpkg-deb", "--field", deb, f]).strip()
        check(field("Package") == "velmora" and field("Version") == version and field("Architecture") == arch,
              "Package, Version and Architecture fields")
        depends = [d.strip().split()[0] for d in field("Depends").split(",")]
        for needed in ("libqt6widgets6", "libqt6svg6", "libqt6multimedia6", "libespeak-ng1", "libc6",
                       "qt6-qpa-plugins", "espeak-ng-data", "fonts-liberation", "fonts-dejavu-core"):
            check(needed in depends, "Depends names %s" % needed)
        description = field("Description").splitlines()
        check(len(description) > 2 and description[0] and not description[0].startswith("velmora"),
              "a synopsis and an extended description")

        contents = output(["dpkg-deb", "--contents", deb])
        print(contents)
        paths = set(re.findall(r"\s\./(\S+)$", contents, re.M))
        for path in ("usr/bin/velmora", "usr/share/velmora/Complete.dic",
                     "usr/share/applications/org.example.velmora.desktop",
                     "usr/share/metainfo/org.example.velmora.metainfo.xml",
                     "usr/share/icons/hicolor/48x48/apps/org.example.velmora.png",
                     "usr/share/icons/hicolor/scalable/apps/org.example.velmora.svg",
                     "usr/share/man/man1/velmora.1.gz",
                     "usr/share/doc/velmora/copyright", "usr/share/doc/velmora/changelog.gz"):
            check(path in paths, "the package holds /" + path)
        check(any(p.startswith("usr/share/velmora/MSAgent/Chars/") and p.endswith(".vchar") for p in paths),
              "the package holds the characters")

        tree = os.path.join(out, "tree")
        subprocess.run(["dpkg-deb", "-x", deb, tree], check=True)
        sections = output(["readelf", "-S", "-W", os.path.join(tree, "usr", "bin", "velmora")])
        check(".symtab" not in sections and ".debug_info" not in sections, "usr/bin/velmora is stripped")

        if shutil.which("lintian"):
            result = subprocess.run(["lintian", "--tag-display-limit", "0", deb],
                                    stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
            print(result.stdout)
            errors = [line for line in result.stdout.splitlines() if line.startswith("E:")]
            check(not errors, "lintian reports no error %s" % errors)
        else:
            print("lintian is not installed: not run")

    if failures:
        print("\n%d check(s) failed:\n  %s" % (len(failures), "\n  ".join(failures)))
        sys.exit(1)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        print(__doc__)
        sys.exit(2)
    main(sys.argv[1], sys.argv[2], sys.argv[3])
