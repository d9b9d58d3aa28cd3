<%@ page contentType="text/vnd.wap.wml" import="java.util.*" %><?xml version="1.0"?>
<!DOCTYPE wml PUBLIC "-//WAPFORUM//DTD WML 1.1//EN" "http://www.wapforum.org/DTD/wml_1.1.xml">
<%
    List items = (List) request.getAttribute("headlines");
    String base = request.getContextPath() + "/story.jsp";
%>
<wml>
  <card id="index" title="Headlines">
    <p>
<% for (int i = 0; i < items.size(); i++) { %>
      <a href="#s<%= i %>"><%= items.get(i) %></a><br/>
<% } %>
    </p>
  </card>
<% for (int i = 0; i < items.size(); i++) { %>
  <card id="s<%= i %>" title="<%= items.get(i) %>">
    <p><%= items.get(i) %><br/>
      <a href="<%= base %>?n=<%= i %>&amp;full=true">More</a></p>
  </card>
<% } %>
</wml>
