# The application description files, generated from assets/applications/applications.txt.
